// What forms and message boxes show, in order, for whoever watches: tests read the captions an effect
// showed, the host prints them. Nothing is recorded while no observer is attached.
#pragma once

#include <string>
#include <vector>

#include "lvx/dialogs/Export.h"
#include "lvx/dialogs/Form.h"

namespace lvx::dialogs {

struct DialogEvent {
    enum class Kind {
        FormShown,       // text: the caption when the modal loop started
        CaptionChanged,  // text: the new caption (every assignment while the form is shown)
        MessageBox,      // text and title of a message box, reported before the user sees it
        FormClosed,      // text: the caption at the end; reason: how the loop ended
    };
    Kind kind = Kind::FormShown;
    std::string text;
    std::string title;
    CloseReason reason = CloseReason::Code;

    bool operator==(const DialogEvent&) const = default;
};

class LVX_DIALOGS_API Observer {
  public:
    virtual ~Observer();
    virtual void notify(const DialogEvent& event) = 0;
};

// Observers are told in the order they were attached. Attaching one twice has no effect; detaching
// one that is not attached neither.
LVX_DIALOGS_API void attachObserver(Observer& observer);
LVX_DIALOGS_API void detachObserver(Observer& observer);

// Attaches an observer for the life of the object.
class ScopedObserver {
  public:
    explicit ScopedObserver(Observer& observer) : observer_(observer) { attachObserver(observer_); }
    ScopedObserver(const ScopedObserver&) = delete;
    ScopedObserver& operator=(const ScopedObserver&) = delete;
    ~ScopedObserver() { detachObserver(observer_); }

  private:
    Observer& observer_;
};

// Records every event while it lives (it attaches itself on construction).
class LVX_DIALOGS_API EventLog final : public Observer {
  public:
    struct Message {
        std::string text;
        std::string title;
        bool operator==(const Message&) const = default;
    };

    EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;
    ~EventLog() override;

    void notify(const DialogEvent& event) override;

    const std::vector<DialogEvent>& events() const { return events_; }
    // The texts of the CaptionChanged events, in order.
    std::vector<std::string> captions() const;
    std::vector<Message> messageBoxes() const;
    void clear() { events_.clear(); }

  private:
    std::vector<DialogEvent> events_;
};

}  // namespace lvx::dialogs
