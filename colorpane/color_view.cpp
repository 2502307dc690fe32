#include "colorpane/color_view.h"

#include <new>

#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

void PDEColorView::setPMPrint(pdk::PrintSettings* settings, pdk::PrintSession* printSession) {
  setting = settings;
  session = printSession;
}

void PDEColorView::setViewBounds(const pdk::Rect& rect) { setBounds(pdk::Rect{0, 0, rect.width, rect.height}); }

bool PDEColorView::installControlTable(const PDEControlRow* rows, int16_t count) {
  for (int i = 0; i + 1 < count; ++i)
    if (!rows[i].control) return false;  // the view description did not connect every control
  deallocPDEControlTable();
  ctrlTable = new (std::nothrow) PDEControlRow[static_cast<size_t>(count)];
  if (!ctrlTable) return false;
  std::copy(rows, rows + count, ctrlTable);
  ctrlCount = count;
  for (PDEControlRow* row = ctrlTable; row->control; ++row) {
    if (!row->ppdKey || !*row->ppdKey) continue;
    row->choices = nullptr;
    PDECommon::commonGetPPDArrayForUIOption(ppd, row->ppdKey, &row->choices);
  }
  return true;
}

void PDEColorView::deallocPDEControlTable() {
  if (!ctrlTable) return;
  for (PDEControlRow* row = ctrlTable; row->control; ++row) {
    delete row->choices;
    row->choices = nullptr;
  }
  delete[] ctrlTable;
  ctrlTable = nullptr;
}

void PDEColorView::addPPDArray(const pdk::Value& array) { PDECommon::commonAddPPDArray(array, ctrlTable); }

void PDEColorView::createPDEItemForPPDKey() { PDECommon::commonBuildPDEItem(ctrlTable, ppd); }

void PDEColorView::getSummaryText(const pdk::Value& dict, const pdk::Value& array) {
  PDECommon::commonGetSummaryText(ctrlTable, dict, array);
}

void PDEColorView::setControlValueToTicket() { PDECommon::commonSyncTicketFromPane(setting, session, ctrlTable); }

void PDEColorView::getControlValueFromTicket() { PDECommon::commonSyncPaneFromTicket(setting, session, ctrlTable); }

void PDEColorView::defaultFromPPDInfo() { PDECommon::commonDefaultFromPPDInfo(ctrlTable); }

COLORPANE_NAMESPACE_END
