#include "cli/ChoiceArguments.h"

#include "common/Error.h"

#include <algorithm>

void ChoiceArguments::AddTo(CLI::App* command, std::initializer_list<std::string_view> names) {
    for (const lb::ChoiceOption& option : lb::ChoiceOptions()) {
        if (std::find(names.begin(), names.end(), option.name) == names.end()) continue;
        Given& g = given_.emplace_back(Given{&option, nullptr, {}});
        g.argument = command->add_option(std::string("--") + option.name, g.word, option.help);
        // CLI11's own message for a word outside the list, as the command line always gave it.
        if (!option.words.empty()) g.argument->check(CLI::IsMember(option.words));
    }
}

void ChoiceArguments::ApplyTo(lb::BuildChoices& choices) const {
    for (const Given& g : given_) {
        if (g.argument->count() == 0) continue;
        try {
            lb::SetChoice(choices, *g.option, g.word);
        } catch (const lb::Error& e) {
            throw lb::Error(std::string("--") + g.option->name + ": " + e.what());
        }
    }
}
