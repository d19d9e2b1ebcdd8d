#pragma once

#include "components/Component.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// A shared, ordered log of calls into fake components, so a test can check
// the order of calls across several components.
class CallLog {
public:
    void Add(std::string entry) { m_entries.push_back(std::move(entry)); }
    const std::vector<std::string>& entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::string> m_entries;
};

// A fake component for logic tests: it records every call as text, e.g.
//   ftp.put 7 "127.0.0.1"      ftp.get 26       video.call 19 "Corvalen.jpg" 100
// A put stores the value, so a later get of the same DISPID returns it.
// Results and failures are scripted per (DISPID, kind).
class RecordingComponent : public Component {
public:
    using Script = std::function<Variant(std::span<const Variant>)>;

    RecordingComponent(std::string name, CallLog* log)
        : m_name(std::move(name))
        , m_log(log) {}

    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) override;

    void SetResult(DispId id, CallKind kind, Variant result);
    void SetScript(DispId id, CallKind kind, Script script);
    // The next `times` calls of (id, kind) raise ComponentError (-1: all).
    void FailOn(DispId id, CallKind kind, int times = -1);
    void ClearFailure(DispId id, CallKind kind);

    // Fires an event as the real component would.
    bool Fire(DispId id, std::span<Variant> args) { return FireEvent(id, args); }

    int CallCount(DispId id, CallKind kind) const;
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    CallLog* m_log;
    std::map<std::pair<DispId, CallKind>, Variant> m_results;
    std::map<std::pair<DispId, CallKind>, Script> m_scripts;
    std::map<std::pair<DispId, CallKind>, int> m_failures;
    std::map<std::pair<DispId, CallKind>, int> m_counts;
    std::map<DispId, Variant> m_properties;
};

std::string Describe(DispId id, CallKind kind, std::span<const Variant> args);
