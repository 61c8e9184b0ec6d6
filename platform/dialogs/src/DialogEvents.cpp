#include "lvx/dialogs/DialogEvents.h"

#include <algorithm>

#include "Publish.h"

namespace lvx::dialogs {

namespace {

// Process-wide like the forms themselves; used from the one thread that shows them.
std::vector<Observer*>& observers() {
    static std::vector<Observer*> list;
    return list;
}

}  // namespace

Observer::~Observer() = default;

void attachObserver(Observer& observer) {
    auto& list = observers();
    if (std::find(list.begin(), list.end(), &observer) == list.end()) list.push_back(&observer);
}

void detachObserver(Observer& observer) {
    auto& list = observers();
    list.erase(std::remove(list.begin(), list.end(), &observer), list.end());
}

namespace detail {

void publish(const DialogEvent& event) {
    // A copy, so that an observer may attach or detach observers while it is told.
    const std::vector<Observer*> list = observers();
    for (Observer* observer : list)
        observer->notify(event);
}

}  // namespace detail

EventLog::EventLog() {
    attachObserver(*this);
}

EventLog::~EventLog() {
    detachObserver(*this);
}

void EventLog::notify(const DialogEvent& event) {
    events_.push_back(event);
}

std::vector<std::string> EventLog::captions() const {
    std::vector<std::string> out;
    for (const DialogEvent& event : events_)
        if (event.kind == DialogEvent::Kind::CaptionChanged) out.push_back(event.text);
    return out;
}

std::vector<EventLog::Message> EventLog::messageBoxes() const {
    std::vector<Message> out;
    for (const DialogEvent& event : events_)
        if (event.kind == DialogEvent::Kind::MessageBox) out.push_back(Message{event.text, event.title});
    return out;
}

}  // namespace lvx::dialogs
