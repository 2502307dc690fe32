// PPD option records: choices, default and current choice, paper sizes,
// look-ups, the check-box choice rule, the compact record, and the
// constraint and installable-option collections.
#include "securitypane/framework/ppd_ui_option.h"

#include <gtest/gtest.h>

#include "framework_fixture.h"
#include "securitypane/framework/ppd_access.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

using namespace securityframework;
using frameworktest::Dialog;
using frameworktest::fixturePPD;
using frameworktest::mainPPD;

TEST(PPDEncoding, LanguageEncodingTable) {
  struct Case {
    const char* value;
    pdk::TextEncoding encoding;
  };
  const Case cases[] = {
      {"ISOLatin1", pdk::TextEncoding::ISOLatin1},   {"WindowsANSI", pdk::TextEncoding::WindowsLatin1},
      {"JIS83-RKSJ", pdk::TextEncoding::ShiftJIS},   {"UTF-8", pdk::TextEncoding::UTF8},
      {"UTF8", pdk::TextEncoding::UTF8},             {"MacStandard", pdk::TextEncoding::MacRoman},
      {"isolatin1", pdk::TextEncoding::MacRoman},    {nullptr, pdk::TextEncoding::MacRoman},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextEncodingForLanguageEncoding(c.value), c.encoding) << (c.value ? c.value : "(none)");
  }
  // libcups hands every text over in UTF-8 and says so.
  Dialog dialog(mainPPD());
  EXPECT_EQ(GetCFStringEncodingFromPPD(dialog.host.ppd), pdk::TextEncoding::UTF8);
}

TEST(PPDUIOption, PrintModeRecord) {
  Dialog dialog(mainPPD());
  ppdMarkOption(dialog.host.ppd, "PrintModeTLQ770", "Proof");
  PPDUIOptionRef mode = CreatePPDUIOption(dialog.host.ppd, "PrintModeTLQ770");
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->keyword, "PrintModeTLQ770");
  EXPECT_EQ(mode->alias, "Print Mode");
  ASSERT_EQ(mode->numChoices, 4);
  EXPECT_EQ(mode->defIndex, 0);  // Normal
  EXPECT_EQ(mode->curIndex, 2);  // the marked Proof
  EXPECT_EQ(mode->choices[1].keyword, "Secure");
  EXPECT_EQ(mode->choices[1].alias, "Secure Print");
  EXPECT_EQ(mode->choices[1].option, mode.get());
  EXPECT_FALSE(mode->choices[1].pageRect);
}

TEST(PPDUIOption, DefaultThatIsNoChoiceIsTheFirst) {
  Dialog dialog(fixturePPD("chained_constraints.ppd"));
  PPDUIOptionRef odd = CreatePPDUIOption(dialog.host.ppd, "ZNOdd");
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->defIndex, 0);
  EXPECT_EQ(*PPDUIOptionGetDefaultKey(odd.get()), "D1");
}

TEST(PPDUIOption, MissingOptionGivesNoRecord) {
  Dialog dialog(fixturePPD("no_print_mode.ppd"));
  EXPECT_FALSE(CreatePPDUIOption(dialog.host.ppd, "PrintModeTLQ770"));
  EXPECT_FALSE(CreatePPDUIOption(nullptr, "PrintModeTLQ770"));
  EXPECT_FALSE(CreatePPDUIOption(dialog.host.ppd, nullptr));
  // Keywords longer than 40 bytes never reach libcups.
  EXPECT_FALSE(CreatePPDUIOptionWithCFKey(dialog.host.ppd, std::string(41, 'K')));
  EXPECT_TRUE(CreatePPDUIOptionWithCFKey(dialog.host.ppd, "ZNAuthenticationTLQ770"));
}

TEST(PPDUIOption, PageSizeNeedsAMarkedChoiceAndThenCarriesPaperSizes) {
  Dialog unmarked(mainPPD(), /*markDefaults=*/false);
  EXPECT_FALSE(CreatePPDUIOption(unmarked.host.ppd, "PageSize"));

  Dialog marked(mainPPD());
  PPDUIOptionRef sizes = CreatePPDUIOption(marked.host.ppd, "PageSize");
  ASSERT_TRUE(sizes);
  const int32_t a4 = PPDUIOptionKeyToIndex(sizes.get(), "A4");
  ASSERT_GE(a4, 0);
  const PPDPageSizeRect* rect = sizes->choices[static_cast<size_t>(a4)].pageRect.get();
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->width, 595);
  EXPECT_EQ(rect->length, 842);
  EXPECT_EQ(rect->top, 830);
  EXPECT_EQ(rect->left, 12);
  EXPECT_EQ(rect->bottom, 12);
  EXPECT_EQ(rect->right, 583);
}

TEST(PPDUIOption, PaperSizesArePairedOnlyWhenTheCountsAgree) {
  // Three paper sizes, two PageSize choices: no size is trusted.
  Dialog dialog(fixturePPD("extra_paper_size.ppd"));
  ASSERT_EQ(dialog.host.ppd->num_sizes, 3);
  PPDUIOptionRef sizes = CreatePPDUIOption(dialog.host.ppd, "PageSize");
  ASSERT_TRUE(sizes);
  ASSERT_EQ(sizes->numChoices, 2);
  for (const auto& choice : sizes->choices) EXPECT_FALSE(choice.pageRect) << choice.keyword;
}

TEST(PPDUIOption, FindsThePaperOfARectangle) {
  Dialog dialog(mainPPD());
  const _PPDUIOption* papers = PDECoreGetPPDPapers(&dialog.session);
  std::string key;
  // The paper of A4 around its imageable area's corner.
  EXPECT_TRUE(PPDPaperSizeFindAdjustedPMRect(papers, pdk::PMRect{-12, -12, 830, 583}, 0, &key));
  EXPECT_EQ(key, "A4");
  EXPECT_TRUE(PPDPaperSizeFindAdjustedPMRect(papers, pdk::PMRect{0, 0, 595, 420}, 0, &key));
  EXPECT_EQ(key, "A5");
  key = "unchanged";
  EXPECT_FALSE(PPDPaperSizeFindAdjustedPMRect(papers, pdk::PMRect{0, 0, 500, 300}, 0, &key));
  EXPECT_EQ(key, "unchanged");
  PPDUIOptionRef notPaper = CreatePPDUIOption(dialog.host.ppd, "PrintModeTLQ770");
  EXPECT_FALSE(PPDPaperSizeFindAdjustedPMRect(notPaper.get(), pdk::PMRect{0, 0, 842, 595}, 0, &key));
}

TEST(PPDUIOption, LookupsIgnoreLetterCase) {
  Dialog dialog(mainPPD());
  PPDUIOptionRef mode = CreatePPDUIOption(dialog.host.ppd, "PrintModeTLQ770");
  const _PPDUIOption* m = mode.get();
  EXPECT_EQ(PPDUIOptionKeyToIndex(m, "secure"), 1);
  EXPECT_EQ(PPDUIOptionKeyToIndex(m, "Missing"), -1);
  EXPECT_EQ(*PPDUIOptionKeyToAlias(m, "STORED"), "Store on Hard Disk");
  EXPECT_EQ(*PPDUIOptionAliasToKey(m, "proof AND hold"), "Proof");
  EXPECT_EQ(PPDUIOptionAliasToKey(m, "Proof"), nullptr);
  EXPECT_EQ(*PPDUIOptionIndexToKey(m, 3), "Stored");
  EXPECT_EQ(PPDUIOptionIndexToKey(m, 4), nullptr);
  EXPECT_EQ(PPDUIOptionIndexToAlias(m, -1), nullptr);
  EXPECT_EQ(*PPDUIOptionGetDefaultAlias(m), "Normal Print");
  EXPECT_EQ(*PPDUIOptionGetSelfKey(m), "PrintModeTLQ770");
  EXPECT_EQ(PPDUIOptionGetItemCount(m), 4);

  // A missing record answers its "none" values.
  EXPECT_EQ(PPDUIOptionGetSelfKey(nullptr), nullptr);
  EXPECT_EQ(PPDUIOptionGetItemCount(nullptr), 0);
  EXPECT_EQ(PPDUIOptionGetDefaultIndex(nullptr), 0);
  EXPECT_EQ(PPDUIOptionKeyToIndex(nullptr, "Normal"), -1);
  EXPECT_EQ(PPDUIOptionGetDefaultKey(nullptr), nullptr);
}

TEST(PPDUIOption, DefaultAndAliasItems) {
  Dialog dialog(fixturePPD("secure_default.ppd"));
  EXPECT_EQ(PDECustomGetPPDDefaultItem(dialog.host.ppd, "PrintModeTLQ770"), "Secure");
  EXPECT_EQ(PDECustomGetPPDDefaultItemByCStringKey(dialog.host.ppd, "ZNAuthenticationTLQ770"), "False");
  EXPECT_EQ(PDECustomGetPPDDefaultItem(dialog.host.ppd, "Missing"), std::nullopt);
  EXPECT_EQ(PDECustomGetPPDAliasItem("PrintModeTLQ770", "proof", dialog.host.ppd), "Proof and Hold");
  EXPECT_EQ(PDECustomGetPPDAliasItem("PrintModeTLQ770", "Missing", dialog.host.ppd), std::nullopt);
}

TEST(PPDUIOption, CheckBoxStatesMapToTrueAndFalseByName) {
  // Both orders of True and False, and an option without those names.
  struct Case {
    const char* ppd;
    const char* option;
    int32_t indexForOn, indexForOff;
  };
  const Case cases[] = {
      {"security_options.ppd", "ZNAuthenticationTLQ770", 0, 1},
      {"booleans_false_first.ppd", "ZNAuthenticationTLQ770", 1, 0},
      {"security_options.ppd", "PrintModeTLQ770", 1, 0},  // by position
  };
  for (const auto& c : cases) {
    Dialog dialog(fixturePPD(c.ppd));
    PPDUIOptionRef option = CreatePPDUIOption(dialog.host.ppd, c.option);
    ASSERT_TRUE(option) << c.ppd;
    EXPECT_EQ(PPDUIOptionCheckBoxStateToIndex(option.get(), 1), c.indexForOn) << c.ppd << " " << c.option;
    EXPECT_EQ(PPDUIOptionCheckBoxStateToIndex(option.get(), 0), c.indexForOff) << c.ppd << " " << c.option;
    EXPECT_EQ(PPDUIOptionIndexToCheckBoxState(option.get(), c.indexForOn), 1) << c.ppd << " " << c.option;
    EXPECT_EQ(PPDUIOptionIndexToCheckBoxState(option.get(), c.indexForOff), 0) << c.ppd << " " << c.option;
  }
}

TEST(PPDUIOptionTiny, FixedFieldsHoldThePPDTexts) {
  Dialog dialog(mainPPD());
  PPDUIOptionTiny tiny;
  ASSERT_TRUE(SetupPPDUIOptionTiny(&tiny, dialog.host.ppd, "PrintModeTLQ770"));
  EXPECT_STREQ(tiny.keyword, "PrintModeTLQ770");
  EXPECT_STREQ(tiny.text, "Print Mode");
  ASSERT_EQ(tiny.numChoices, 4);
  EXPECT_STREQ(tiny.choices[3].key, "Stored");
  EXPECT_STREQ(tiny.choices[3].text, "Store on Hard Disk");
  EXPECT_EQ(tiny.choices[3].option, &tiny);
  EXPECT_FALSE(SetupPPDUIOptionTiny(&tiny, dialog.host.ppd, "Missing"));
  ClearPPDUIOptionTiny(&tiny);
  EXPECT_EQ(tiny.numChoices, 0);
  EXPECT_TRUE(tiny.choices.empty());
}

TEST(PPDCollections, ConstraintsArray) {
  Dialog dialog(fixturePPD("empty_choice2.ppd"));
  const pdk::Value constraints = CreatePPDConstraintsArray(dialog.host.ppd);
  ASSERT_EQ(constraints.count(), 1u);
  const pdk::Value c = constraints.at(0);
  EXPECT_EQ(c.get("option1").asString(), "OptionalHardDisk");
  EXPECT_EQ(c.get("choice1").asString(), "False");
  EXPECT_EQ(c.get("option2").asString(), "PrintModeTLQ770");
  EXPECT_TRUE(c.get("choice2").isString());
  EXPECT_EQ(c.get("choice2").asString(), "");

  Dialog none(fixturePPD("extra_paper_size.ppd"));
  EXPECT_TRUE(CreatePPDConstraintsArray(none.host.ppd).isNull());
}

TEST(PPDCollections, InstallableOptionsWithTheirCurrentChoices) {
  Dialog installed(fixturePPD("security_options.ppd"));
  pdk::Value options = CreatePPDInstallableOptionDict(installed.host.ppd);
  EXPECT_EQ(options.keys(), std::vector<std::string>{"OptionalHardDisk"});
  EXPECT_EQ(options.get("OptionalHardDisk").asString(), "True");

  // The marked choice counts, not the PPD default.
  ppdMarkOption(installed.host.ppd, "OptionalHardDisk", "False");
  EXPECT_EQ(CreatePPDInstallableOptionDict(installed.host.ppd).get("OptionalHardDisk").asString(), "False");

  Dialog noGroup(fixturePPD("chained_constraints.ppd"));
  EXPECT_TRUE(CreatePPDInstallableOptionDict(noGroup.host.ppd).isNull());
}

}  // namespace
