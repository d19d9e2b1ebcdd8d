#include "RecordingComponent.h"

#include "components/ComponentError.h"

std::string Describe(DispId id, CallKind kind, std::span<const Variant> args) {
    std::string text = kind == CallKind::Method        ? "call "
                       : kind == CallKind::PropertyGet ? "get "
                                                       : "put ";
    text += std::to_string(id);
    for (const auto& a : args)
        text += " " + Describe(a);
    return text;
}

Variant RecordingComponent::Invoke(DispId id, CallKind kind, std::span<const Variant> args) {
    const auto key = std::make_pair(id, kind);
    if (m_log)
        m_log->Add(m_name + "." + Describe(id, kind, args));
    ++m_counts[key];
    if (auto f = m_failures.find(key); f != m_failures.end() && f->second != 0) {
        if (f->second > 0)
            --f->second;
        throw ComponentError(ComponentError::Failed,
                             m_name + " failed on " + Describe(id, kind, args));
    }
    if (auto s = m_scripts.find(key); s != m_scripts.end())
        return s->second(args);
    if (kind == CallKind::PropertyPut && args.size() == 1) {
        m_properties[id] = args[0];
        return Variant();
    }
    if (auto r = m_results.find(key); r != m_results.end())
        return r->second;
    if (kind == CallKind::PropertyGet)
        if (auto p = m_properties.find(id); p != m_properties.end())
            return p->second;
    return Variant();
}

void RecordingComponent::SetResult(DispId id, CallKind kind, Variant result) {
    m_results[{id, kind}] = std::move(result);
    if (kind == CallKind::PropertyGet)
        m_properties.erase(id);
}

void RecordingComponent::SetScript(DispId id, CallKind kind, Script script) {
    m_scripts[{id, kind}] = std::move(script);
}

void RecordingComponent::FailOn(DispId id, CallKind kind, int times) {
    m_failures[{id, kind}] = times;
}

void RecordingComponent::ClearFailure(DispId id, CallKind kind) {
    m_failures.erase({id, kind});
}

int RecordingComponent::CallCount(DispId id, CallKind kind) const {
    auto it = m_counts.find({id, kind});
    return it == m_counts.end() ? 0 : it->second;
}
