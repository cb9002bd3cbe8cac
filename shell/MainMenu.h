#pragma once
// The main window's menu as data: every command's name, caption (with its
// accelerator) and long hint, in menu order. TGlowny builds its QMenus from it; the
// rules that hide or disable commands refer to the names.
#include <string>
#include <string_view>
#include <vector>

namespace ewidor {

struct MenuItem {
    std::string name;
    std::string caption;
    std::string hint;
    std::vector<MenuItem> children;
};

class MainMenu {
public:
    // The top-level entries of MenuG, each with its submenu.
    static const std::vector<MenuItem>& Items();
    // The item with this name anywhere in the tree; throws std::out_of_range.
    static const MenuItem& Find(std::string_view name);
    // The caption without its accelerator mark ("w&Ejście" -> "wEjście").
    static std::string PlainCaption(std::string_view caption);
};

} // namespace ewidor
