#include "json_report.h"

#include "pdk/text.h"

namespace {

nlohmann::ordered_json scalar(const pdk::Value& v) {
  switch (v.type()) {
    case pdk::Value::Type::Boolean: return v.asBool();
    case pdk::Value::Type::Integer: return v.asInteger();
    case pdk::Value::Type::Real: return v.asReal();
    case pdk::Value::Type::String: return v.asString();
    default: return nullptr;
  }
}

nlohmann::ordered_json textFieldState(const pdk::TextField& text) {
  nlohmann::ordered_json j;
  if (auto* secure = dynamic_cast<const pdk::SecureTextField*>(&text)) {
    j["secure"] = true;
    j["text"] = secure->maskedString();
    j["length"] = pdk::utf16Length(text.stringValue());
  } else if (!text.isEditable()) {
    j["title"] = text.stringValue();
  } else {
    j["text"] = text.stringValue();
  }
  if (text.isEditable() || text.isSecure()) {
    j["selection"] = {text.selectedRange().location, text.selectedRange().length};
    j["editing"] = text.isEditing();
  }
  j["textColor"] = pdk::textColorName(text.textColor());
  return j;
}

nlohmann::ordered_json matrixState(const pdk::Matrix& matrix) {
  nlohmann::ordered_json j;
  j["rows"] = matrix.numberOfRows();
  j["columns"] = matrix.numberOfColumns();
  j["selectedRow"] = matrix.selectedRow();
  j["selectedColumn"] = matrix.selectedColumn();
  nlohmann::ordered_json cells = nlohmann::ordered_json::array();
  for (auto& cell : matrix.cells())
    cells.push_back({{"title", cell->title()}, {"enabled", cell->isEnabled()}, {"tag", cell->tag()}});
  j["cells"] = cells;
  return j;
}

// A table as it draws: every row's values asked of its data source; an image
// column shows its cell's image path (or the value, when that is a path).
nlohmann::ordered_json tableState(pdk::TableView& table) {
  nlohmann::ordered_json j;
  nlohmann::ordered_json columns = nlohmann::ordered_json::array();
  for (auto& column : table.tableColumns())
    columns.push_back({{"identifier", column->identifier()},
                       {"title", column->title()},
                       {"kind", pdk::cellKindName(column->kind())}});
  j["columns"] = columns;
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (int r = 0; r < table.numberOfRows(); ++r) {
    nlohmann::ordered_json row = nlohmann::ordered_json::object();
    for (auto& column : table.tableColumns()) {
      pdk::Cell* cell = table.preparedCell(column.get(), r);
      if (!cell) {
        row[column->identifier()] = nullptr;
      } else if (column->kind() == pdk::CellKind::Image) {
        const std::string& value = cell->objectValue().asString();
        if (cell->image()) row[column->identifier()] = cell->image()->path();
        else if (!value.empty()) row[column->identifier()] = value;
        else row[column->identifier()] = nullptr;
      } else if (column->kind() == pdk::CellKind::CheckBox) {
        const pdk::Value& v = cell->objectValue();
        row[column->identifier()] = v.type() == pdk::Value::Type::Boolean ? int(v.asBool()) : v.asInteger();
      } else {
        row[column->identifier()] = scalar(cell->objectValue());
      }
    }
    rows.push_back(row);
  }
  j["rows"] = rows;
  j["selectedRow"] = table.selectedRow();
  return j;
}

nlohmann::ordered_json controlState(pdk::View& view) {
  nlohmann::ordered_json j;
  j["kind"] = view.kind();
  if (auto* control = dynamic_cast<pdk::Control*>(&view)) j["enabled"] = control->isEnabled();
  j["hidden"] = view.isHidden();
  if (auto* popup = dynamic_cast<pdk::PopUpButton*>(&view)) {
    j["title"] = popup->titleOfSelectedItem();
    j["selected"] = popup->indexOfSelectedItem();
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (auto& item : popup->items())
      items.push_back(
          {{"title", item.title}, {"represented", scalar(item.representedObject)}, {"enabled", item.enabled}});
    j["items"] = items;
  } else if (auto* button = dynamic_cast<pdk::Button*>(&view)) {
    j["title"] = button->title();
    j["state"] = button->state();
  } else if (auto* text = dynamic_cast<pdk::TextField*>(&view)) {
    j.update(textFieldState(*text));
  } else if (auto* tabs = dynamic_cast<pdk::TabView*>(&view)) {
    j["selected"] = tabs->indexOfSelectedTabViewItem();
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (auto& tab : tabs->tabs()) items.push_back({{"title", tab.label}});
    j["items"] = items;
  } else if (auto* matrix = dynamic_cast<pdk::Matrix*>(&view)) {
    j.update(matrixState(*matrix));
  } else if (auto* table = dynamic_cast<pdk::TableView*>(&view)) {
    j.update(tableState(*table));
  } else if (auto* window = dynamic_cast<pdk::Window*>(&view)) {
    j["title"] = window->title();
    j["open"] = window->isVisible();
    j["modal"] = window->isModal();
  } else if (auto* image = dynamic_cast<pdk::ImageView*>(&view)) {
    j["image"] = image->image() ? nlohmann::ordered_json(image->image()->path()) : nullptr;
  } else if (auto* box = dynamic_cast<pdk::Box*>(&view)) {
    j["title"] = box->title();
  }
  return j;
}

nlohmann::ordered_json alertList(const PaneRecord& record) {
  nlohmann::ordered_json alerts = nlohmann::ordered_json::array();
  for (auto& alert : record.alerts)
    alerts.push_back({{"message", alert.message}, {"informative", alert.informative}, {"buttons", alert.buttons}});
  return alerts;
}

}  // namespace

nlohmann::ordered_json summaryReport(const std::vector<std::pair<std::string, pdk::Value>>& summaries) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (auto& [pane, info] : summaries) {
    nlohmann::ordered_json order = nlohmann::ordered_json::array();
    nlohmann::ordered_json items = nlohmann::ordered_json::object();
    pdk::Value names = info.get("Summary Display Order");
    for (size_t i = 0; i < names.count(); ++i) {
      std::string name = names.at(i).asString();
      order.push_back(name);
      items[name] = scalar(info.get(name));
    }
    out[pane] = {{"order", order}, {"items", items}};
  }
  return out;
}

nlohmann::ordered_json stateReport(DialogScript& dialog) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (auto& pane : dialog.panes()) {
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    dialog.call(pane, [&] {
      pdk::Value extra = pane.panel->scriptingState();
      for (auto& key : extra.keys()) j[key] = scalar(extra.get(key));
      j["panelKind"] = pane.panel->panelKind();
      nlohmann::ordered_json keys = nlohmann::ordered_json::array();
      pdk::Value supported = pane.panel->supportedPPDOptionKeys();
      for (size_t i = 0; i < supported.count(); ++i) keys.push_back(supported.at(i).asString());
      j["supportedPPDOptionKeys"] = keys;
      j["alerts"] = alertList(dialog.record(pane));
      j["shouldPrint"] = dialog.record(pane).shouldPrint;
      for (auto& view : pane.panel->scriptableViews()) j[view->identifier] = controlState(*view);
    });
    out[pane.name] = j;
  }
  return out;
}
