// The class array of libtarntable11: every class the library defines, registered
// with the class runtime when the library is loaded and exported through
// TARNGetClassArray for the registration tool. Append new classes here.
#include "host/runtime/ClassArray.h"
#include "table/NxTable.h"
#include "table/NxTableComponent.h"
#include "table/cells/Widget.h"
#include "table/model/NxTableEvents.h"
#include "table/model/Table.h"
#include "table/view/Clip.h"
#include "table/view/TblScrollbar.h"

TARN_CLASS_ARRAY(&norvex::table::Table::staticClass(),
                 &norvex::table::NxTable::staticClass(),
                 &norvex::table::NxCreateComponentEvent::staticClass(),
                 &norvex::table::NxDisplayComponentEvent::staticClass(),
                 &norvex::table::NxTraverseCellEvent::staticClass(),
                 &norvex::table::NxEnterCellEvent::staticClass(),
                 &norvex::table::NxResizeCellEvent::staticClass(),
                 &norvex::table::NxScrollEvent::staticClass(),
                 &norvex::table::NxSelectEvent::staticClass(),
                 &norvex::table::NxSortEvent::staticClass(),
                 &norvex::table::NxValidateCellEvent::staticClass(),
                 &norvex::table::NxValueEvent::staticClass(),
                 &norvex::table::NxPaintEvent::staticClass(),
                 &norvex::table::Clip::staticClass(),
                 &norvex::table::TblScrollbar::staticClass(),
                 &norvex::table::NxTableComponent::staticClass(),
                 &norvex::table::WidgetSeriesValue::staticClass())
