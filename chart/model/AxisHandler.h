// The numeric work of an axis: the automatic range, precision, bound checks and
// the linear map pixel = scale x value + shift (of log10 value on a log axis).
#pragma once

#include <string>

namespace norvex::chart {

class NxAxis;

class AxisHandler {
public:
    explicit AxisHandler(NxAxis* p) : parent(p) {}
    virtual ~AxisHandler() = default;

    // Precision and bound checks until stable, then the automatic range.
    virtual void calcParams();
    virtual void calcPrecision();
    // Both bounds explicit with min >= max: reported, max made automatic. True when
    // it changed something.
    virtual bool fixBounds();
    virtual void calcTransformation() = 0;
    virtual int toPixel(double v) const = 0;
    virtual double toData(int p) const = 0;
    virtual double range() const = 0;
    virtual void translate(double d) = 0;
    virtual std::string format(double value, int precision) const = 0;

    double getShift() const { return shift; }
    double getScale() const { return scale; }

protected:
    virtual void calcRange() = 0;
    int finishPixel(double p) const;
    double startPixel(int p) const;

    NxAxis* parent;
    double shift = 0.0;
    double scale = 1.0;
};

class LinearAxisHandler : public AxisHandler {
public:
    using AxisHandler::AxisHandler;
    void calcPrecision() override;
    void calcTransformation() override;
    int toPixel(double v) const override;
    double toData(int p) const override;
    double range() const override;
    void translate(double d) override;
    std::string format(double value, int precision) const override;
    // The origin of the range minReal..maxReal by the origin placement (0 when the
    // origin is explicit).
    double calcOrigin(double minReal, double maxReal) const;

protected:
    void calcRange() override;
};

class LogAxisHandler : public AxisHandler {
public:
    using AxisHandler::AxisHandler;
    void calcPrecision() override {}
    bool fixBounds() override;
    void calcTransformation() override;
    int toPixel(double v) const override;
    double toData(int p) const override;
    double range() const override;
    void translate(double d) override;
    std::string format(double value, int precision) const override;

protected:
    void calcRange() override;
};

}  // namespace norvex::chart
