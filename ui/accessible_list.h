#pragma once
// Screen readers and drop-down lists: on Linux Qt gives a drop-down list the text it shows as its
// name and nothing a reader speaks when the choice changes. Here a list that has an accessible
// name of its own says its purpose and its chosen entry ("元号 昭和"), and reports each new
// choice as a change of its value, at which a reader speaks the list again; one without a name
// keeps Qt's name, the entry alone.

namespace yorvane {

// Installs the rule for every QComboBox of the program; once is enough.
void nameListsByTheirPurpose();

}  // namespace yorvane
