// PDEColorView: what the basic and the advanced colour view share. Each
// owns a control table binding its controls to PPD options and forwards
// PPD and print-settings work on that table to PDECommon; the subclasses
// build their own tables. Main thread only.
#pragma once

#include "colorpane/control_table.h"
#include "colorpane/namespace.h"
#include "pdk/printing.h"
#include "pdk/toolkit.h"
#include "pdk/view_description.h"

struct ppd_file_s;

COLORPANE_NAMESPACE_BEGIN

class PDEColorView : public pdk::View, public pdk::NibObject {
 public:
  ~PDEColorView() override { deallocPDEControlTable(); }

  void initWithFrame(const pdk::Rect& frame) { setFrame(frame); }
  void drawRect(const pdk::Rect&) {}
  void setPPDFile(ppd_file_s* file) { ppd = file; }
  void setPMPrint(pdk::PrintSettings* settings, pdk::PrintSession* printSession);
  void setViewBounds(const pdk::Rect& rect);
  virtual void createPDEControlTable() = 0;
  void deallocPDEControlTable();
  PDEControlRow* getControlData() const { return ctrlTable; }
  int16_t getControlCount() const { return ctrlCount; }
  void addPPDArray(const pdk::Value& array);
  virtual void createPDEItemForPPDKey();
  void getSummaryText(const pdk::Value& dict, const pdk::Value& array);
  void setControlValueToTicket();
  void getControlValueFromTicket();
  void defaultFromPPDInfo();

 protected:
  // Take `rows` (ending in the terminator) as the view's new table and read
  // the PPD choices of its rows. Refused when a control is not connected.
  bool installControlTable(const PDEControlRow* rows, int16_t count);

  PDEControlRow* ctrlTable = nullptr;
  int16_t ctrlCount = 0;
  ppd_file_s* ppd = nullptr;
  pdk::PrintSettings* setting = nullptr;
  pdk::PrintSession* session = nullptr;
};

COLORPANE_NAMESPACE_END
