#include "colorpane/pain_change_controller.h"


COLORPANE_NAMESPACE_BEGIN

namespace {

const pdk::OutletBinding<PainChangeController> kOutlets[] = {
    pdk::outlet("onMainCustomView", &PainChangeController::onMainCustomView),
    pdk::outlet("onColorView", &PainChangeController::onColorView),
    pdk::outlet("onAdvancedView", &PainChangeController::onAdvancedView),
};

constexpr int16_t kQuickColorCustom = 3;

}  // namespace

bool PainChangeController::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOutlets, *this, name, value);
}

pdk::Action PainChangeController::actionNamed(const std::string& selector) {
  if (selector == "ColorToAdvancedView:") return [this](pdk::Control* s) { ColorToAdvancedView(s); };
  if (selector == "AdvancedToColorView:") return [this](pdk::Control* s) { AdvancedToColorView(s); };
  return {};
}

void PainChangeController::ColorToAdvancedView(pdk::Control*) {
  if (onAdvancedView && onAdvancedView->getControlData()) SHowColorToAdvancedView();
}

void PainChangeController::AdvancedToColorView(pdk::Control*) {
  if (onColorView && onColorView->getControlData()) ShowAdvancedToColorView();
}

void PainChangeController::swapViews(const std::shared_ptr<pdk::View>& show, const std::shared_ptr<pdk::View>& hide) {
  if (!show) return;
  if (hide && onMainCustomView && hide->superview() == onMainCustomView.get()) hide->removeFromSuperview();
  if (onMainCustomView && show->superview() != onMainCustomView.get()) onMainCustomView->addSubview(show);
}

pdk::Rect PainChangeController::containerBounds() const {
  return onMainCustomView ? onMainCustomView->bounds() : pdk::Rect{};
}

void PainChangeController::SHowColorToAdvancedView() {
  if (onAdvancedView) onAdvancedView->setViewBounds(containerBounds());
  swapViews(onAdvancedView, onColorView);
}

void PainChangeController::ShowAdvancedToColorView() {
  if (onColorView) onColorView->setViewBounds(containerBounds());
  swapViews(onColorView, onAdvancedView);
}

bool PainChangeController::isShowingAdvancedView() const {
  return onAdvancedView && onMainCustomView && onAdvancedView->superview() == onMainCustomView.get();
}

void PainChangeController::creatPDEControlTableEachView() {
  if (onAdvancedView) onAdvancedView->createPDEControlTable();
  if (onColorView) onColorView->createPDEControlTable();
}

void PainChangeController::addPPDArrayEachView(const pdk::Value& array) {
  if (onAdvancedView) onAdvancedView->addPPDArray(array);
  if (onColorView) onColorView->addPPDArray(array);
}

void PainChangeController::deallocPDEControlTableEachView() {
  if (onAdvancedView) onAdvancedView->deallocPDEControlTable();
  if (onColorView) onColorView->deallocPDEControlTable();
}

void PainChangeController::setPPDFileEachView(ppd_file_s* ppd) {
  if (onAdvancedView) onAdvancedView->setPPDFile(ppd);
  if (onColorView) onColorView->setPPDFile(ppd);
}

void PainChangeController::setPMPrintEachView(pdk::PrintSettings* settings, pdk::PrintSession* session) {
  if (onAdvancedView) onAdvancedView->setPMPrint(settings, session);
  if (onColorView) onColorView->setPMPrint(settings, session);
}

void PainChangeController::createPDEItemForPPDKeyEachView() {
  if (onAdvancedView) onAdvancedView->createPDEItemForPPDKey();
  if (onColorView) onColorView->createPDEItemForPPDKey();
}

void PainChangeController::defaultFromPPDInfoEachView() {
  if (onColorView) onColorView->defaultFromPPDInfo();
  if (onAdvancedView) onAdvancedView->defaultFromPPDInfo();
}

void PainChangeController::getControlValueFromTickettEachView() {
  if (onAdvancedView) onAdvancedView->getControlValueFromTicket();
  if (onColorView) onColorView->getControlValueFromTicket();
}

void PainChangeController::setControlValueToTicketEachView() {
  if (onAdvancedView) onAdvancedView->setControlValueToTicket();
  if (onColorView) onColorView->setControlValueToTicket();
}

int32_t PainChangeController::getControlDataEachView(PDEControlRow** tables, int32_t count) {
  for (int32_t i = 0; i < count; ++i) tables[i] = nullptr;
  tables[0] = onColorView ? onColorView->getControlData() : nullptr;
  tables[1] = onAdvancedView ? onAdvancedView->getControlData() : nullptr;
  return 2;
}

int16_t PainChangeController::getControlCountEachView() {
  return static_cast<int16_t>((onColorView ? onColorView->getControlCount() : 0) +
                              (onAdvancedView ? onAdvancedView->getControlCount() : 0));
}

void PainChangeController::getSummaryTextEachView(const pdk::Value& dict, const pdk::Value& array) {
  if (!onColorView || !onAdvancedView) return;
  onColorView->getSummaryText(dict, array);
  if (onColorView->getQuickColorValue() == kQuickColorCustom)
    onAdvancedView->getSummaryText(dict, array);
  else
    getSummaryAdvancedItemAccodingQuickColor(dict, array);
}

void PainChangeController::changeAdvancedItemAccodingQuickColor() {
  if (!onColorView || !onAdvancedView) return;
  onAdvancedView->changeItemAccodingQuickColor(onColorView->getQuickColorValue(), onColorView->getEconoModeValue());
}

void PainChangeController::getSummaryAdvancedItemAccodingQuickColor(const pdk::Value& dict, const pdk::Value& array) {
  if (!onColorView || !onAdvancedView) return;
  onAdvancedView->getSummaryItemAccodingQuickColor(onColorView->getQuickColorValue(),
                                                   onColorView->getEconoModeValue(), dict, array);
}

COLORPANE_NAMESPACE_END
