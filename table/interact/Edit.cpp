// The cell editor: opening it on the current cell, committing its text through
// validation (a rejected value keeps the editor open and flashes it), cancelling it,
// and the value checks of the data types.
#include <chrono>

#include "host/ui/Toolkit.h"
#include "table/NxTable.h"
#include "table/NxTblConverter.h"
#include "table/interact/Actions.h"
#include "table/model/TableOps.h"
#include "table/view/TableView.h"
#include "util/NxUtilConverter.h"
#include "util/TextUtil.h"

namespace norvex::table {

using E = NxTblEnum;
using host::Value;

namespace {

constexpr auto FLASH_TIME = std::chrono::milliseconds(250);

// The text an editor shows for a value.
std::string editText(const Value& v) { return v.isNull() ? std::string() : v.toString(); }

void redrawCurrent(NxTable& t) {
    const int row = t.getEditRow(), col = t.getEditColumn();
    if (row >= 0 && col >= 0 && row < t.getNumRows() && col < t.getNumColumns())
        t.setProperty(row, col, PropertyEnum::DRAW_CELL);
}

}  // namespace

bool Actions::checkBoolean(const std::string& s) {
    return util::text::equalsIgnoreCase(s, "true") || util::text::equalsIgnoreCase(s, "false") || s == "t" ||
           s == "f";
}

bool Actions::checkValue(const std::string& text, int datatype) {
    const std::string s = util::text::trimmed(text);
    switch (datatype) {
        case E::TYPE_BOOLEAN: return checkBoolean(s);
        case E::TYPE_INTEGER: return util::text::parseInt(s).has_value();
        case E::TYPE_FLOAT:
        case E::TYPE_DOUBLE: return util::text::parseDouble(s).has_value();
        case E::TYPE_DATE: return util::NxUtilConverter::parseDate(s).has_value();
        default: return true;
    }
}

Value Actions::convertValue(const std::string& text, int datatype) {
    if (datatype == E::TYPE_BOOLEAN) {
        const std::string s = util::text::trimmed(text);
        if (s == "t") return Value(true);
        if (s == "f") return Value(false);
    }
    if (datatype == E::TYPE_STRING) return Value(text);
    return TblConvertUtil::convert(text, datatype);
}

bool Actions::openEditor(NxTable& t, const std::optional<std::string>& initial) {
    const int row = t.edit_row, col = t.edit_column;
    if (row < 0 || col < 0 || row >= t.rows || col >= t.columns || !t.getEditable(row, col)) return false;
    const bool multi = t.getMultiline(row, col);
    if (!t.text || (dynamic_cast<host::TextArea*>(t.text.get()) != nullptr) != multi) {
        if (multi)
            t.text = host::create<host::TextArea>();
        else
            t.text = host::create<host::TextField>();
    }
    host::TextComponent& ed = *t.text;
    ed.setFont(t.getFont(row, col).value_or(t.host::Panel::getFont()));
    ed.setForeground(t.getForeground(row, col));
    ed.setBackground(t.getBackground(row, col));
    ed.setInverted(false);
    ed.setMaxLength(t.getMaxLength(row, col));
    ed.setStringCase(t.getStringCase(row, col));
    if (Clip* clip = TableView::of(t)->find(row, col)) {
        NxCellRange span;
        host::Dimension size{clip->columnWidth(col), clip->rowHeight(row)};
        t.findSpan(row, col, &span, &size);  // a span's anchor edits in the whole span
        ed.reshape(0, 0, std::max(0, size.width - 4), std::max(0, size.height - 4));
    }
    ed.setText(initial ? *initial : editText(t.getCell(row, col)));
    redrawCurrent(t);
    return true;
}

bool Actions::commit(NxTable& t, bool hide) {
    if (!t.text) return true;
    const int row = t.edit_row, col = t.edit_column;
    if (row < 0 || col < 0 || row >= t.rows || col >= t.columns) {
        t.text.reset();
        return true;
    }
    const std::string s = t.text->getText();
    const Value old = t.getCell(row, col);
    const bool changed = editText(old) != s;
    const int type = t.getDatatype(row, col);
    Value v = changed ? convertValue(s, type) : old;
    const bool validate = t.validate_policy == E::VALIDATE_USER_EDIT || t.validate_policy == E::VALIDATE_ALWAYS;
    if (validate) {
        bool ok = checkValue(s, type);
        NxValidateCellEvent ev(&t, row, col, changed, type, v);
        if (ok) {
            for (auto* l : t.validate_listeners.snapshot()) {
                l->validateCellBegin(ev);
                if (!ev.doit) break;
            }
            ok = ev.doit;
        }
        if (!ok) {
            // Refused: the cell keeps its value, the editor its text, and it flashes.
            t.flashing = true;
            t.text->setInverted(true);
            redrawCurrent(t);
            if (!t.flash_timer)
                t.flash_timer = std::make_unique<host::RepeatTimer>(t.getToolkit().getSystemEventQueue());
            std::weak_ptr<host::Object> weak = t.shared_from_this();
            host::RepeatTimer* timer = t.flash_timer.get();
            timer->start(FLASH_TIME, FLASH_TIME, [weak, timer] {
                auto self = std::static_pointer_cast<NxTable>(weak.lock());
                if (!self) return;
                timer->stop();
                if (!self->flashing.exchange(false)) return;
                if (self->text) self->text->setInverted(false);
                redrawCurrent(*self);
            });
            return false;
        }
        if (changed || !ev.value.equals(old)) SetValue::cell(t, row, col, ev.value, false);
        for (auto* l : t.validate_listeners.snapshot()) l->validateCellEnd(ev);
    } else if (changed) {
        SetValue::cell(t, row, col, v, false);
    }
    if (hide) {
        t.text.reset();
        redrawCurrent(t);
    }
    return true;
}

void Actions::cancel(NxTable& t, bool hide) {
    if (!t.text) return;
    if (hide)
        t.text.reset();
    else
        t.text->setText(editText(t.getCell(t.edit_row, t.edit_column)));
    redrawCurrent(t);
}

bool NxTable::commitEdit(bool hide) { return Actions::commit(*this, hide); }
void NxTable::cancelEdit(bool hide) { Actions::cancel(*this, hide); }

bool NxTable::traverse(int row, int col) {
    if (!Actions::isTraversableCell(*this, row, col)) return false;
    return Actions::moveCurrent(*this, row, col, selection_policy != E::SELECT_NONE, nullptr, "");
}

void NxTable::cellStored(int row, int col) {
    if (text && row == edit_row && col == edit_column) text->setText(editText(GetValue::cell(*this, row, col)));
}

bool NxTable::paintEditor(host::Graphics& g, int row, int col, const host::Rectangle& cell) {
    if (!text || row != edit_row || col != edit_column) return false;
    const int w = std::max(0, cell.width - 4), h = std::max(0, cell.height - 4);
    if (text->getWidth() != w || text->getHeight() != h) text->reshape(0, 0, w, h);
    auto sub = g.create(cell.x + 2, cell.y + 2, w, h);
    text->paint(*sub);
    return true;
}

}  // namespace norvex::table
