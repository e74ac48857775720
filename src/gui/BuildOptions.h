#pragma once

#include "app/BuildChoices.h"

// The build's choices the Options menu keeps with QSettings (like the preview's), each under
// its option's stored key.
namespace BuildOptions {

// `choices` with the stored words put over them; a stored word its option does not take
// leaves that choice as it was.
lb::BuildChoices Load(lb::BuildChoices choices = {});
void Save(const lb::BuildChoices& choices);

} // namespace BuildOptions
