#pragma once
// The answer to a question of the window: "&Oui", "&Non" or "Annuler".

namespace quilmo {

enum class TAnswer { Yes, No, Cancel };

}  // namespace quilmo
