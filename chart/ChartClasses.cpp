// The class array of libtarnchart11: the classes a page or the registration tool may
// name, registered with the class runtime when the library is loaded.
#include "chart/NxChart.h"
#include "chart/NxChartApplet.h"
#include "chart/NxTitle.h"
#include "chart/area/NxChartArea.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxis.h"
#include "chart/style/NxChartStyle.h"
#include "host/runtime/ClassArray.h"

TARN_CLASS_ARRAY(&norvex::chart::NxChartApplet::staticClass(),
                 &norvex::chart::NxChart::staticClass(),
                 &norvex::chart::NxChartArea::staticClass(),
                 &norvex::chart::NxTitle::staticClass(),
                 &norvex::chart::ChartCanvas::staticClass(),
                 &norvex::chart::ChartDataView::staticClass(),
                 &norvex::chart::NxAxis::staticClass(),
                 &norvex::chart::NxChartStyle::staticClass())
