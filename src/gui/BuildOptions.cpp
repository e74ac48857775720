#include "gui/BuildOptions.h"

#include "gui/UserStore.h"

BuildOptions BuildOptions::Load() {
    BuildOptions o;
    auto store = UserStore();
    o.text.encoding = store->value("build/textEncoding", "auto").toString().toStdString();
    if (o.text.encoding.empty()) o.text.encoding = "auto";
    o.text.convertScript = store->value("build/chinese", "auto").toString() != "keep";
    o.text.page = store->value("build/pageText", "whole").toString() == "main"
                      ? lb::PageRule::Main
                      : lb::PageRule::Whole;
    o.pictures.fit = lb::FitRuleNamed(store->value("build/fit", "auto").toString().toStdString())
                         .value_or(lb::FitRule::Auto);
    const int colours = store->value("build/colours", 32768).toInt();
    o.pictures.colours = colours == 256 || colours == 16 ? colours : 32768;
    return o;
}

void BuildOptions::Save() const {
    auto store = UserStore();
    store->setValue("build/textEncoding", QString::fromStdString(text.encoding));
    store->setValue("build/chinese", text.convertScript ? "auto" : "keep");
    store->setValue("build/pageText", text.page == lb::PageRule::Main ? "main" : "whole");
    store->setValue("build/fit", lb::FitRuleName(pictures.fit));
    store->setValue("build/colours", pictures.colours);
}
