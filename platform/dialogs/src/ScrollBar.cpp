#include "lvx/dialogs/ScrollBar.h"

#include <algorithm>
#include <stdexcept>

namespace lvx::dialogs {

namespace {

void checkSixteenBits(int value, const char* what) {
    if (value < ScrollBar::kLowest || value > ScrollBar::kHighest)
        throw std::out_of_range(std::string("scroll bar ") + what + " must fit 16 bits");
}

}  // namespace

void ScrollBar::setRange(int min, int max) {
    checkSixteenBits(min, "minimum");
    checkSixteenBits(max, "maximum");
    if (min > max) throw std::invalid_argument("scroll bar minimum above its maximum");
    min_ = min;
    max_ = max;
    setValue(value_);
}

void ScrollBar::setValue(int value) {
    const int clamped = clamp(value);
    if (clamped == value_) return;
    value_ = clamped;
    raiseChange();
}

void ScrollBar::setSmallChange(int step) {
    if (step < 1 || step > kHighest) throw std::out_of_range("scroll bar small change must be 1 to 32767");
    smallChange_ = step;
}

void ScrollBar::setLargeChange(int step) {
    if (step < 1 || step > kHighest) throw std::out_of_range("scroll bar large change must be 1 to 32767");
    largeChange_ = step;
}

int ScrollBar::clamp(int value) const {
    return std::clamp(value, min_, max_);
}

void ScrollBar::raiseChange() {
    if (change_) change_();
}

void ScrollBar::raiseScroll() {
    if (scroll_) scroll_();
}

void ScrollBar::userSet(int value) {
    setValue(value);
}

void ScrollBar::userDrag(int target) {
    const int start = value_;
    const int end = clamp(target);
    const int step = end > start ? 1 : -1;
    // The thumb passes every value on its way; a handler closing the form or disabling the bar
    // does not stop the hand, as with a real mouse.
    while (value_ != end) {
        value_ += step;
        raiseScroll();
    }
    if (value_ != start) raiseChange();
}

void ScrollBar::userStep(Direction direction, int step, int times) {
    for (int i = 0; i < times; ++i) {
        const long long moved =
            static_cast<long long>(value_) + (direction == Direction::Right ? step : -step);
        setValue(static_cast<int>(std::clamp<long long>(moved, min_, max_)));
    }
}

}  // namespace lvx::dialogs
