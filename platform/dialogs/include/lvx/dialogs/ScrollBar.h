// A horizontal scroll bar. Its value always lies within [min, max]; values set from code or by the
// user are clamped. Change is raised whenever the value ends up different from what it was (also when
// code sets it, as with the classic toolkit's scroll bars); Scroll is raised for every step while the
// user drags the thumb, and the drag ends with one Change at release.
#pragma once

#include <functional>

#include "lvx/dialogs/Control.h"

namespace lvx::dialogs {

enum class Direction { Left, Right };

class LVX_DIALOGS_API ScrollBar final : public Control {
  public:
    using EventHandler = std::function<void()>;

    // Every number here is 16-bit signed; anything else throws std::out_of_range.
    static constexpr int kLowest = -32768;
    static constexpr int kHighest = 32767;

    ControlKind kind() const override { return ControlKind::ScrollBar; }

    int min() const { return min_; }
    int max() const { return max_; }
    int value() const { return value_; }
    int smallChange() const { return smallChange_; }
    int largeChange() const { return largeChange_; }

    // Throws std::invalid_argument when min > max. The value is clamped into the new range.
    void setRange(int min, int max);
    void setMin(int min) { setRange(min, max_); }
    void setMax(int max) { setRange(min_, max); }
    // Clamps to [min, max]; raises Change when the value changed.
    void setValue(int value);
    // Steps of the arrows and of the track; at least 1 (std::out_of_range otherwise).
    void setSmallChange(int step);
    void setLargeChange(int step);

    void onChange(EventHandler handler) { change_ = std::move(handler); }
    void onScroll(EventHandler handler) { scroll_ = std::move(handler); }

  private:
    friend class Form;
    friend class detail::ActionPerformer;
    ScrollBar() = default;

    int clamp(int value) const;
    void raiseChange();
    void raiseScroll();

    // The user's ways of moving the thumb.
    void userSet(int value);
    void userDrag(int target);
    void userStep(Direction direction, int step, int times);

    int min_ = 0;
    int max_ = 32767;
    int value_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
    EventHandler change_;
    EventHandler scroll_;
};

}  // namespace lvx::dialogs
