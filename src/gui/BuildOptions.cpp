#include "gui/BuildOptions.h"

#include "common/Error.h"
#include "gui/UserStore.h"

namespace BuildOptions {

lb::BuildChoices Load(lb::BuildChoices choices) {
    auto store = UserStore();
    for (const lb::ChoiceOption& option : lb::ChoiceOptions()) {
        if (!option.storedKey || !store->contains(option.storedKey)) continue;
        try {
            lb::SetChoice(choices, option, store->value(option.storedKey).toString().toStdString());
        } catch (const lb::Error&) {
            // Edited by hand or by another version: the choice keeps its default.
        }
    }
    return choices;
}

void Save(const lb::BuildChoices& choices) {
    auto store = UserStore();
    for (const lb::ChoiceOption& option : lb::ChoiceOptions())
        if (option.storedKey)
            store->setValue(option.storedKey, QString::fromStdString(option.word(choices)));
}

} // namespace BuildOptions
