#include "gui/BuildOptions.h"

#include "gui/UserStore.h"

BuildOptions BuildOptions::Load() {
    BuildOptions o;
    auto store = UserStore();
    o.text.encoding = store->value("build/textEncoding", "auto").toString().toStdString();
    if (o.text.encoding.empty()) o.text.encoding = "auto";
    o.text.convertScript = store->value("build/chinese", "auto").toString() != "keep";
    return o;
}

void BuildOptions::Save() const {
    auto store = UserStore();
    store->setValue("build/textEncoding", QString::fromStdString(text.encoding));
    store->setValue("build/chinese", text.convertScript ? "auto" : "keep");
}
