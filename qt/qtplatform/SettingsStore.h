#pragma once

#include <optional>
#include <string>

namespace pelmark {

// The per-user settings store: an INI file of organisation and application "Pelmark". Values are byte
// strings, kept one byte per character. Nothing is cached, so two controls (or two processes) see each
// other's writes.
class SettingsStore {
public:
    // The user's own store.
    SettingsStore();
    // A store whose file lives in `folder` (for the console's --settings and for tests).
    explicit SettingsStore(std::string folder);

    std::optional<std::string> read(const std::string& section, const std::string& key) const;
    // Throws PelmarkError (FileWrite) when the store cannot be written.
    void write(const std::string& section, const std::string& key, const std::string& value);

    static constexpr const char* kOrganisation = "Pelmark";
    static constexpr const char* kApplication = "Pelmark";

private:
    std::string file_; // empty: the user's own store
};

} // namespace pelmark
