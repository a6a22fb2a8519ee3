// The class array of libtarnchart11: every class the library defines, registered with
// the class runtime when the library is loaded and exported through TARNGetClassArray
// for the registration tool. Append new classes here.
#include "chart/NxChart.h"
#include "chart/NxChartApplet.h"
#include "chart/NxLegend.h"
#include "chart/NxChartComponent.h"
#include "chart/NxChartLabel.h"
#include "chart/area/NxMarker.h"
#include "chart/NxTitle.h"
#include "chart/area/ChartCanvas.h"
#include "chart/area/NxChartArea.h"
#include "chart/area/PlotArea.h"
#include "chart/base/ChartRegion.h"
#include "chart/base/ChartText.h"
#include "chart/base/TrackChange.h"
#include "chart/draw/AreaChartDraw.h"
#include "chart/draw/BarChartDraw.h"
#include "chart/draw/ChartDraw.h"
#include "chart/draw/PieChartDraw.h"
#include "chart/draw/PlotChartDraw.h"
#include "chart/model/ChartDataModel.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/ChartDataViewSeries.h"
#include "chart/model/NxAxis.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/model/NxBarChartFormat.h"
#include "chart/model/NxPieChartFormat.h"
#include "chart/model/NxValueLabel.h"
#include "chart/source/AppletDataSource.h"
#include "chart/source/FileDataSource.h"
#include "chart/source/InputStreamDataSource.h"
#include "chart/source/URLDataSource.h"
#include "chart/style/NxBorderStyle.h"
#include "chart/style/NxChartStyle.h"
#include "host/runtime/ClassArray.h"

TARN_CLASS_ARRAY(&norvex::chart::NxChartApplet::staticClass(),
                 &norvex::chart::NxChart::staticClass(),
                 &norvex::chart::NxChartArea::staticClass(),
                 &norvex::chart::NxTitle::staticClass(),
                 &norvex::chart::ChartCanvas::staticClass(),
                 &norvex::chart::ChartDataView::staticClass(),
                 &norvex::chart::NxAxis::staticClass(),
                 &norvex::chart::NxChartStyle::staticClass(),
                 &norvex::chart::AppletDataSource::staticClass(),
                 &norvex::chart::BarChartDraw::staticClass(),
                 &norvex::chart::ChartDataModel::staticClass(),
                 &norvex::chart::ChartDataModelUpdate::staticClass(),
                 &norvex::chart::ChartDataViewSeries::staticClass(),
                 &norvex::chart::ChartDraw::staticClass(),
                 &norvex::chart::ChartRegion::staticClass(),
                 &norvex::chart::ChartText::staticClass(),
                 &norvex::chart::FileDataSource::staticClass(),
                 &norvex::chart::InputStreamDataSource::staticClass(),
                 &norvex::chart::NxAxisTitle::staticClass(),
                 &norvex::chart::NxBarChartFormat::staticClass(),
                 &norvex::chart::NxBorderStyle::staticClass(),
                 &norvex::chart::NxFillStyle::staticClass(),
                 &norvex::chart::NxLineStyle::staticClass(),
                 &norvex::chart::NxShape::staticClass(),
                 &norvex::chart::NxStyle::staticClass(),
                 &norvex::chart::NxSymbolStyle::staticClass(),
                 &norvex::chart::NxValueLabel::staticClass(),
                 &norvex::chart::PlotArea::staticClass(),
                 &norvex::chart::PlotChartDraw::staticClass(),
                 &norvex::chart::SBarChartDraw::staticClass(),
                 &norvex::chart::NxPieChartFormat::staticClass(),
                 &norvex::chart::PieChartDraw::staticClass(),
                 &norvex::chart::PieChartInfo::staticClass(),
                 &norvex::chart::TrackChange::staticClass(),
                 &norvex::chart::URLDataSource::staticClass(),
                 &norvex::chart::AreaChartDraw::staticClass(),
                 &norvex::chart::NxLegend::staticClass(),
                 &norvex::chart::NxChartComponent::staticClass(),
                 &norvex::chart::NxChartLabel::staticClass(),
                 &norvex::chart::NxMarker::staticClass())
