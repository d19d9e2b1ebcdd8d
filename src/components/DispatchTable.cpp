#include "components/DispatchTable.h"

Variant DispatchTable::Invoke(DispId id, CallKind kind, std::span<const Variant> args) const {
    auto it = m_handlers.find({id, kind});
    if (it == m_handlers.end())
        throw ComponentError(ComponentError::MemberNotFound,
                             "unknown member " + std::to_string(id));
    return it->second(args);
}
