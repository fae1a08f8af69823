#include "tools/defaultset/DialogueScript.h"

namespace ocre {

// Each line: an unused number, the path of 1-based child numbers from the
// root (a 0 marks the node reached as an ending), the kind, the text.
// Player choices stay under 25 characters so that they fit on one line of
// a 320-pixel view.
std::string mayorDialogue() {
    return "0|1|Le maire de Pawn\n"
           "1|1|1|Bonjour, voyageur ! Bienvenue \xE0 Pawn.\n"
           "2|1|1|2|Qui \xEAtes-vous ?\n"
           "3|1|1|1|1|Je suis le maire de ce village.\n"
           "4|1|1|1|1|2|Enchant\xE9, monsieur.\n"
           "5|1|1|1|1|1|0|1|Tout le plaisir est pour moi. Bonne route !\n"
           "6|1|1|1|2|2|Et ce mouton, l\xE0-bas ?\n"
           "7|1|1|1|2|1|1|C'est Gaston. Il fait le tour du pr\xE9 jour et nuit.\n"
           "8|1|1|1|2|1|1|2|Je vais le suivre.\n"
           "9|1|1|1|2|1|1|1|0|1|Ne le perdez pas de vue !\n"
           "10|1|1|1|2|1|2|2|Il a l'air de s'ennuyer.\n"
           "11|1|1|1|2|1|2|1|0|1|Un mouton ne s'ennuie jamais. Adieu !\n"
           "12|1|2|2|Je cherche du travail.\n"
           "13|1|2|1|1|Un dragon effraie nos moutons. Chassez-le !\n"
           "14|1|2|1|1|2|J'y vais de ce pas.\n"
           "15|1|2|1|1|1|0|1|Merci ! Revenez vite nous voir.\n"
           "16|1|2|1|2|2|Un dragon ? Non merci.\n"
           "17|1|2|1|2|1|0|1|Tant pis. Au revoir, froussard !\n"
           "18|1|3|2|Au revoir.\n"
           "19|1|3|1|0|1|\xC0 bient\xF4t, voyageur.\n";
}

}  // namespace ocre
