#pragma once
// A page as hosts build them, for the preview's tests: objects inside containers at depths 1
// and 2, their containers registered or not, a pin from one container into another, a listed
// group inside a container and a group collected from inside its frame container. Its rules
// keep every object where it was designed at the design size.
#include <regex>
#include <string>

namespace preview {

inline constexpr char kNestedPage[] = R"(page 640 360
object Side   440   0 200 360 kind=panel
object Badge  460  20  80  80 kind=image in=Side
object Star   470  30  20  20 in=Badge
object Slot   460 200 120  60 in=Side
object Gem    460 200  60  60 kind=image in=Side
object Coin   520 200  60  60 kind=image in=Side
object Card    40  60 300 200 kind=panel
object Ok      60 200  80  30 kind=button in=Card
object Tag     60  80 100  20 kind=text in=Card
object Shelf  100 280 200  60
object Tray   100 280 200  60 kind=panel
object A      110 290  40  40 in=Tray
object B      160 290  40  40 in=Tray
on enter
Duduve_Clear
Duduve_SetDesignSize "640" "360"
Duduve_RegisterObject "Side" "STRETCH" "STRETCH" "R" "T" "0" "0"
Duduve_RegisterObject "Badge" "UNIFORM" "UNIFORM" "R" "T" "0" "0"
Duduve_RegisterObject "Star" "FIXED" "FIXED" "L" "T" "0" "0"
Duduve_RegisterObject "Slot" "UNIFORM" "UNIFORM" "R" "T" "0" "0"
Duduve_RegisterGroup "Icons" "Slot" "FIT" "Gem;Coin"
Duduve_RegisterObject "Ok" "FIXED" "FIXED" "R" "B" "0" "0"
Duduve_RegisterObject "Tag" "UNIFORM" "UNIFORM" "L" "T" "0" "0"
Duduve_PinObject "Tag" "Badge" "TR" "TL" "-300" "60"
Duduve_RegisterObject "Shelf" "STRETCH" "STRETCH" "L" "B" "0" "0"
Duduve_RegisterGroup "Tray" "Shelf" "FIT" ""
Duduve_Apply
)";

// The same page with every object a child of the host window: what each rule must give the
// nested objects too, in the window's client pixels.
inline std::string FlatPage(const std::string& text) {
  return std::regex_replace(text, std::regex(" in=\\w+"), "");
}

}  // namespace preview
