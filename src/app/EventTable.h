#pragma once

#include "components/Component.h"

#include <functional>
#include <map>
#include <span>
#include <utility>

// The main window's table of component events: (control id, event DISPID)
// to handler. An event without an entry is received and ignored, and its
// by-reference arguments stay as they are.
class EventTable {
public:
    using Handler = std::function<void(std::span<Variant>)>;

    void On(int controlId, DispId event, Handler handler);
    bool Has(int controlId, DispId event) const;

    // Runs the entry's handler. Whatever the handler raises goes to the
    // caller: the component that fired the event drops it.
    void Dispatch(int controlId, DispId event, std::span<Variant> args) const;

private:
    std::map<std::pair<int, DispId>, Handler> m_handlers;
};
