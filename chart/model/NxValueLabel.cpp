#include "chart/model/NxValueLabel.h"

#include <cmath>

#include "chart/model/AxisHandler.h"
#include "chart/model/NxAxis.h"
#include "chart/base/NxChartUtil.h"
#include "chart/model/NxLabelGenerator.h"
#include "util/NxString.h"

namespace norvex::chart {

NxValueLabel::NxValueLabel() : label(std::make_shared<ChartText>()) {}

NxValueLabel::NxValueLabel(double v, const std::string& text, bool richText)
    : value(v), label(std::make_shared<ChartText>(text, richText)) {}

NxValueLabel::NxValueLabel(NxAxis& axis, double v, int prec) : value(v), label(std::make_shared<ChartText>()) {
    parent = &axis;
    setGeneratedLabel(axis, v, prec, false);
}

std::shared_ptr<NxValueLabel> NxValueLabel::decade(NxAxis& axis, int exponent, int prec) {
    auto l = std::make_shared<NxValueLabel>();
    l->value = NxChartUtil::pow10(exponent);
    l->parent = &axis;
    l->setGeneratedLabel(axis, exponent, prec, true);
    return l;
}

void NxValueLabel::setValue(double v) {
    if (v == value) return;
    value = v;
    if (parent) parent->setChanged(true);
}

void NxValueLabel::setText(const std::string& s) {
    label->setText(s);
    if (parent) parent->setChanged(true);
}

void NxValueLabel::setGeneratedLabel(NxAxis& axis, double v, int prec, bool lg) {
    if (auto gen = axis.getLabelGenerator()) {
        host::Value made = gen->makeLabel(v, prec);
        if (auto rich = made.as<util::NxString>()) {
            label = std::make_shared<ChartText>();
            label->setRichContents(rich);
        } else if (auto text = made.as<ChartText>()) {
            label = text;
        } else {
            label = std::make_shared<ChartText>(made.isString() ? made.asString() : made.toString(), false);
        }
    } else {
        // Plain decimals (never an exponent form) fitted to the precision.
        label = std::make_shared<ChartText>(lg ? NxChartUtil::logFormat(int(v)) : NxChartUtil::internalFormat(v, prec),
                                            false);
    }
    label->setRotation(axis.getAnnotationRotation());
    label->setFont(axis.getFont());
}

std::string NxValueLabel::toString() const { return label->getText(); }

}  // namespace norvex::chart
