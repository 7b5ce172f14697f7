#include "practice/FraseInterna.h"

#include <array>

namespace {

// UTF-8 source text. Every character has a key on the French keyboard, except
// the typographic apostrophe of sentence 38: it has no key, so the learner types
// it with the menu label that types a character for them. Level 3 keeps its
// double blanks and its blank before a comma on purpose: they are typed as they
// stand.
constexpr std::array<const char *, 45> frasi = {
    // Level 1: lower case, no digits, at most an apostrophe.
    "demain je ne peux pas sortir car je suis malade",
    "le père de ma copine est mécanicien",
    "le gazon de notre jardin exige beaucoup de soin",
    "les élèves écoutent la maîtresse avec beaucoup d'attention",
    "mon frère a préparé une très bonne tarte aux pommes",
    "nous irons à la plage dès que le soleil sera levé",
    "la fenêtre de la cuisine donne sur une rue très calme",
    "cet été nous avons visité un château près de la rivière",
    "il faut arroser les fleurs du balcon après le dîner",
    "le boulanger du quartier ouvre sa boutique à six heures",
    "ma chambre donne sur le jardin",
    "ma tante tricote une écharpe bleue pour l'hiver",
    "au mois de décembre il fait trop froid pour se baigner",
    "après l'école les enfants jouent au ballon dans la cour",
    "la forêt est pleine de champignons à l'automne",
    // Level 2: one full sentence with capital, commas, colons, ! or full stop.
    "Le train part à huit heures : nous sommes déjà sur le quai.",
    "Papa est à la maison et prépare le repas.",
    "Quel beau temps aujourd'hui : allons nous promener au parc !",
    "Mon voisin, qui est médecin, travaille aussi le dimanche.",
    "Les fleurs que je préfère sont les marguerites et les tournesols.",
    "J'aime ranger ma chambre : je déteste le désordre !",
    "Au marché, on trouve des fruits, des légumes et du fromage.",
    "Notre école est située sur la route principale du village.",
    "Il a oublié son parapluie : il est rentré trempé !",
    "Le chat dort sur le canapé, le chien garde la porte.",
    "Pendant les vacances, nous avons campé au bord d'un lac.",
    "Attention : la peinture de ce banc n'est pas encore sèche !",
    "Ce matin, le facteur a apporté une lettre pour toi.",
    "Quelle surprise : la neige est tombée toute la nuit !",
    "J'aime beaucoup les romans d'aventures.",
    // Level 3: two lines, digits and symbols.
    "Le billet de train coûte 45,50 € aller et retour.\r\n"
    "Avec la carte jeune, on paie 30 % de moins.",
    "Si 1 $ vaut 0,90 €, alors 100 $ valent 90 €.\r\n"
    "Le calcul est simple, n'est-ce pas ?",
    "Rendez-vous au bâtiment B, 3e étage, porte n° 12.\r\n"
    "Le code d'entrée est #4927 : ne l'oubliez pas !",
    "Addition : 35 + 75 = 110. Soustraction : 47 - 29 = 18.\r\n"
    "Simple, l'arithmétique, n'est-ce pas ?",
    "Multiplication : 12 * 8 = 96. Division : 96 / 4 = 24.\r\n"
    "Et pour finir : (3 + 2) * 10 = 50.",
    "50 % se lit \"cinquante pour cent\" et signifie \"la moitié\".\r\n"
    "Tu le savais ?",
    "Le signe @ se lit arobase, le signe # se lit dièse.\r\n"
    "Ces 2 signes se tapent avec AltGr et les touches 0 et 3.",
    "Aujourd\u2019hui, le pain coûte 1,20 € et le croissant 1,10 €.\r\n"
    "Deux pains et trois croissants : 5,70 € en tout.",
    "La température est passée de -3 °C à +12 °C en quelques heures.\r\n"
    "Soit une hausse de  15 degrés !",
    "Le stock compte 250 cahiers , 120 stylos et 75 classeurs.\r\n"
    "Chaque stylo coûte 2 $, chaque cahier 3,50 $.",
    "Sur 1 250 € de salaire, il dépense 35 % pour le loyer.\r\n"
    "Il lui reste donc  812,50 € pour finir le mois.",
    "Le triangle a 3 côtés, le carré en a 4, le pentagone en a 5\r\n"
    "et l'hexagone en a 6.",
    "Le printemps commence le 21 mars, l'été le 21 juin,\r\n"
    "l'automne le 23 septembre et l'hiver le 21 décembre.",
    "Commande #2048 : 3 livres à 12,90 € et 2 stylos à 4,50 €.\r\n"
    "Total à payer : 47,70 € (livraison gratuite).",
    "Si x = 7 et y = 5, alors x > y et x - y = 2.\r\n"
    "De même, 3 < 8 et 8 * 3 = 24 : facile !",
};

} // namespace

QString FraseInterna(int numero)
{
    if (numero < 1 || numero > static_cast<int>(frasi.size()))
        return QString();
    return QString::fromUtf8(frasi[static_cast<size_t>(numero - 1)]);
}
