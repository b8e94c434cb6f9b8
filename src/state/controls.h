#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

// The launcher's controls as small value types that keep their own rules, so that every writer
// (the user through the view, the settings file, the catalogue) meets the same behaviour.

// A drop-down list: the selected index into fixed item texts, -1 for no selection.
// Selecting from program code notifies nobody; the view runs the list's handler for a user choice.
class OptionList {
  public:
    explicit OptionList(std::span<const std::string_view> items) : items_(items) {}

    int index() const { return index_; }
    // Any index outside the items leaves the list with nothing selected.
    void select(int index) { index_ = (index >= 0 && index < count()) ? index : -1; }
    int count() const { return static_cast<int>(items_.size()); }
    std::span<const std::string_view> items() const { return items_; }
    std::string_view text() const { return index_ < 0 ? std::string_view{} : items_[index_]; }

  private:
    std::span<const std::string_view> items_;
    int index_ = -1;
};

// A track bar: a position clamped to [min, max]. Its change handler runs only when a new
// position really differs from the old one, whoever sets it.
class TrackBar {
  public:
    TrackBar(int min, int max, int position) : min_(min), max_(max), position_(position) {}

    int position() const { return position_; }
    int min() const { return min_; }
    int max() const { return max_; }

    void setPosition(int value)
    {
        const int clamped = value < min_ ? min_ : (value > max_ ? max_ : value);
        if (clamped == position_)
            return;
        position_ = clamped;
        if (onChange)
            onChange();
    }

    std::function<void()> onChange;

  private:
    int min_;
    int max_;
    int position_;
};

// A check box: clicking toggles it; the view then runs its handler.
struct CheckBox {
    bool checked = false;
    void click() { checked = !checked; }
};
