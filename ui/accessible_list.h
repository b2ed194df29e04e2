#pragma once
// Screen readers and drop-down lists: on Linux Qt gives a drop-down list the text it shows as its
// name, so a reader announces "昭和" where it should say what the list is for ("元号", and then
// its value). A list that has an accessible name of its own is named by it here; one
// without keeps Qt's name.

namespace yorvane {

// Installs the rule for every QComboBox of the program; once is enough.
void nameListsByTheirPurpose();

}  // namespace yorvane
