#include "profiles.h"

#include "traits_texts.h"

namespace aromelle {

namespace {

// One fragrance list per element, shared by the element's three signs.
constexpr std::string_view kFireFragrances =
    "Amber, Amber Essence, Cinnamon, Spice, Almond, Floral Musk, Frangipani, Morning Dew, "
    "Oriental Bouquet";
constexpr std::string_view kEarthFragrances =
    "Patchouli, Lavender, Lemongrass, Vanilla, Rosemary, Coconut";
constexpr std::string_view kAirFragrances = "Sandalwood, Frankincense, Myrrh, Pine, Cedar";
constexpr std::string_view kWaterFragrances =
    "African Violet, Gardenia, Geranium, Honeysuckle, Jasmine, Night Jasmine, Orange Blossom, "
    "Rose, Tea Rose, Ylang Ylang";

using generated::kNegativeTraits;
using generated::kPositiveTraits;

constexpr std::array<SignProfile, kSignCount> kProfiles{{
    {SunSign::Aries, "Fire", "9", "Tuesday", "Leo and Sagittarius", "Diamond", kPositiveTraits[0],
     kNegativeTraits[0], 1, kFireFragrances,
     "Dragon’s Blood, Rive Gauche by Yves Saint Laurent, Liberté by Cacharel, Dior Addict Eau "
     "Fraiche, Flower by Kenzo",
     "You like effervescent scents. You do like spicy fragrances for you active lifestyle. Your "
     "compatible scents are lemon, mint, musk and moss."},
    {SunSign::Taurus, "Earth", "6", "Friday", "Capricorn and Virgo", "Emerald", kPositiveTraits[1],
     kNegativeTraits[1], 2, kEarthFragrances,
     "Storax, Reflets d eau by Rochas, Bvlgari Eau Parfumee Thé Vert by Bvlgari, Hugo Boss Woman "
     "by Hugo Boss, Aqua Allegoria Lemon Fresca by Guerlain",
     "You are sentimental and like earthy scents. Your compatible scents are sandalwood, rose, "
     "lily and lavender."},
    {SunSign::Gemini, "Air", "5", "Wednesday", "Aquarius and Libra", "Agate", kPositiveTraits[2],
     kNegativeTraits[2], 3, kAirFragrances,
     "Wormwood, Paris by Yves Saint Laurent, Very Irresistible by Givenchy, Haute Couture by "
     "Hanae Mori",
     "Charming scents are suitable for your quick, witty and expressive personality. Your "
     "compatible scents are citrus, pine or rose."},
    {SunSign::Cancer, "Water", "2", "Monday", "Pisces and Scorpio", "Pearl", kPositiveTraits[3],
     kNegativeTraits[3], 4, kWaterFragrances,
     "Onycha, Angel by Thierry Mugler, Nina by Nina Ricci, Lolita by Lempicka, Noa by Cacharel",
     "Your compassionate and gentle demeanor is reflected in your taste of scents. Scents "
     "compatible with your nature are lemon, rose, vetiver and lily."},
    {SunSign::Leo, "Fire", "8 and 9", "Sunday", "Aries and Sagittarius", "Ruby", kPositiveTraits[4],
     kNegativeTraits[4], 5, kFireFragrances,
     "Olibanum, Chanel N°5, Eclat d Arpège Summer by Lanvin, Gucci Femme by Gucci",
     "Your powerful and sensuous personality makes you like strong scents. Your compatible scents "
     "are sandalwood, cologne, orange blossom and amber."},
    {SunSign::Virgo, "Earth", "3 and 5", "Wednesday", "Capricorn and Taurus", "Sapphire",
     kPositiveTraits[5], kNegativeTraits[5], 6, kEarthFragrances,
     "White Sandalwood,  Narcissus, Cristobal by Balenciaga, Eternity by Calvin Klein, Organza by "
     "Givenchy, L eau fraîche by Dior",
     "You are practical with your feet planted firmly on the ground. Your taste for scents include "
     "hyacinth, patchouli, jasmine and oak moss."},
    {SunSign::Libra, "Air", "6 and 9", "Friday", "Aquarius and Gemini", "Opal", kPositiveTraits[6],
     kNegativeTraits[6], 7, kAirFragrances,
     "Galbanum, Miss Dior by Christian Dior, Knowing by Estee Lauder, Narciso Rodriguez for Her, "
     "Coco by Chanel",
     "Your harmonious and peaceful nature reflects your taste of fragrances. You will prefer "
     "sandalwood, lily, rose and patchouli."},
    {SunSign::Scorpio, "Water", "2 and 4", "Tuesday", "Cancer and Pisces", "Topaz",
     kPositiveTraits[7], kNegativeTraits[7], 8, kWaterFragrances,
     "Siamese Benzoin,  Opoponax, Opium byYves Saint Laurent, Alchimie by Rochas, Wild fig and "
     "Cassis,  by Jo Malone, London for Woman by Paul Smith",
     "You like sensuality in your taste of fragrances. Your compatible scents are lime, "
     "grapefruit, juniper and geranium."},
    {SunSign::Sagittarius, "Fire", "5 and 7", "Thursday", "Aries and Leo", "Turquoise",
     kPositiveTraits[8], kNegativeTraits[8], 9, kFireFragrances,
     "Lign-Aloes, Amazone by Hermes, L eau du Temps by Nina Ricci, Dolce Vita by Dior, Sensi by "
     "Giorgio Armani",
     "Your need for freedom and space is reflected in your choice of fragrances. You will like "
     "musk and sandalwood."},
    {SunSign::Capricorn, "Earth", "8 and 2", "Saturday", "Taurus and Virgo", "Garnet",
     kPositiveTraits[9], kNegativeTraits[9], 10, kEarthFragrances,
     "Musk,  Civet, London Woman by Burberry, L Heure bleue by Guerlain, Allure by Chanel, Pretty "
     "by Cartier",
     "You are traditional and practical by nature. You love fruit flavors like neroli, lavender "
     "and vanilla."},
    // Aquarius and Pisces name the other two signs of their element, like every other sign.
    {SunSign::Aquarius, "Air", "1 and 7", "Wednesday", "Gemini and Libra", "Amethyst",
     kPositiveTraits[10], kNegativeTraits[10], 11, kAirFragrances,
     "Galbanum, Armani Code pour femme by Giorgio Armani, Miss Boucheron by Boucheron, Love in "
     "Paris by Nina Ricci",
     "Your fresh and innovative attitude likes some new scents. Your compatible scents are "
     "lavender, lemon, cedar, coriander and amber."},
    {SunSign::Pisces, "Water", "2 and 6", "Friday", "Cancer and Scorpio", "Aquamarine",
     kPositiveTraits[11], kNegativeTraits[11], 12, kWaterFragrances,
     "Ambergris, spritz of L'eau fraîche Chance by Chanel, L eau by Cartier, L eau byIssey "
     "Miyake, Dune de Dior",
     "You like something cool and crisp like a wisp of wind on your face. Your compatible scents "
     "are oakmoss, juniper, lotus and seaweed."},
}};

static_assert([] {
    for (int i = 0; i < kSignCount; ++i)
        if (ordinal(kProfiles[i].sign) != i + 1 || kProfiles[i].picture_position != i + 1)
            return false;
    return true;
}());

} // namespace

const SignProfile &profileOf(SunSign sign) {
    return kProfiles[ordinal(sign) - 1];
}

const SignProfile *findProfile(std::string_view name) {
    for (const SignProfile &profile : kProfiles)
        if (displayName(profile.sign) == name)
            return &profile;
    return nullptr;
}

} // namespace aromelle
