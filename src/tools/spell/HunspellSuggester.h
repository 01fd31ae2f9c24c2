#pragma once

#include "tools/spell/Suggester.h"

#include <memory>
#include <vector>

namespace kora::spell {

// Suggestions from the system's spelling dictionaries (pairs "name.aff" + "name.dic"), asked in
// the order given; a missing pair gives none. The dictionaries are read when the first word is
// asked about.
class HunspellSuggester : public Suggester
{
public:
    // `dictionaries`: paths without the extension, e.g. "/usr/share/hunspell/cs_CZ".
    explicit HunspellSuggester(QStringList dictionaries);
    ~HunspellSuggester() override;

    QStringList suggestions(const QString &word) override;

    // The Czech and the American English dictionary where the system keeps them, if installed.
    static QStringList installedDictionaries();

    static constexpr int kMaxSuggestions = 15;

private:
    struct Dictionary;
    void load();

    QStringList m_paths;
    bool m_loaded = false;
    std::vector<std::unique_ptr<Dictionary>> m_dictionaries;
};

} // namespace kora::spell
