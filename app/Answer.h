#pragma once
// The answer to a question of the window: "&Oui", "&Non" or "Annuler", and the buttons
// it is asked with.

namespace quilmo {

enum class TAnswer { Yes, No, Cancel };

// "&Oui" is the default button (Enter) unless YesNoDefaultNo: a question whose "&Oui" replaces
// a file takes "&Non" as default, so that Enter pressed by habit overwrites nothing.
enum class TButtons { YesNo, YesNoCancel, YesNoDefaultNo };

}  // namespace quilmo
