#pragma once

#include "app/BuildChoices.h"

#include <CLI/CLI.hpp>

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>

// The build's option words on one subcommand, each as the choice table describes it.
class ChoiceArguments {
  public:
    // Adds `--NAME` for each row named, in the table's order.
    void AddTo(CLI::App* command, std::initializer_list<std::string_view> names);
    // Puts the words given on the command line over `choices`; throws lb::Error naming the
    // option and the cause.
    void ApplyTo(lb::BuildChoices& choices) const;

  private:
    struct Given {
        const lb::ChoiceOption* option;
        CLI::Option* argument;
        std::string word;
    };
    std::deque<Given> given_; // CLI11 keeps pointers to the words
};
