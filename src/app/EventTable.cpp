#include "app/EventTable.h"

void EventTable::On(int controlId, DispId event, Handler handler) {
    m_handlers[{controlId, event}] = std::move(handler);
}

bool EventTable::Has(int controlId, DispId event) const {
    return m_handlers.contains({controlId, event});
}

void EventTable::Dispatch(int controlId, DispId event, std::span<Variant> args) const {
    if (auto it = m_handlers.find({controlId, event}); it != m_handlers.end())
        it->second(args);
}
