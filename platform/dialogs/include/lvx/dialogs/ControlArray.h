// A control array: controls of one kind sharing one name, addressed by index ("HRGB(0)" ... "HRGB(2)").
// The form owns the elements; the array is a light handle to them, valid while the form lives. Event
// handlers set through the array receive the index of the element that raised the event.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lvx::dialogs {

template <class T>
class ControlArray {
  public:
    ControlArray() = default;

    const std::string& name() const { return name_; }
    int size() const { return static_cast<int>(elements_.size()); }

    // Throws std::out_of_range for an index the array does not have.
    T& operator[](int index) const {
        if (index < 0 || index >= size())
            throw std::out_of_range("control array " + name_ + " has no element " + std::to_string(index));
        return *elements_[static_cast<std::size_t>(index)];
    }

    typename std::vector<T*>::const_iterator begin() const { return elements_.begin(); }
    typename std::vector<T*>::const_iterator end() const { return elements_.end(); }

    void onChange(std::function<void(int index)> handler) {
        for (int i = 0; i < size(); ++i)
            (*this)[i].onChange([handler, i] { handler(i); });
    }
    void onScroll(std::function<void(int index)> handler) {
        for (int i = 0; i < size(); ++i)
            (*this)[i].onScroll([handler, i] { handler(i); });
    }
    void onClick(std::function<void(int index)> handler) {
        for (int i = 0; i < size(); ++i)
            (*this)[i].onClick([handler, i] { handler(i); });
    }
    void onKeyPress(std::function<void(int index, std::int16_t& keyCode)> handler) {
        for (int i = 0; i < size(); ++i)
            (*this)[i].onKeyPress([handler, i](std::int16_t& keyCode) { handler(i, keyCode); });
    }

  private:
    friend class Form;
    std::string name_;
    std::vector<T*> elements_;
};

}  // namespace lvx::dialogs
