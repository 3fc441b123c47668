#include "panel.h"

#include "number_arguments.h"

namespace {

constexpr const char* archive_name = "archive";

} // namespace

std::string panel_member_name(const PanelMember& member)
{
    return member.archive ? archive_name : opponent_name(member.opponent);
}

bool panel_from_names(const std::string& names, std::vector<PanelMember>& panel)
{
    panel.clear();
    for (const std::string& name : comma_items(names)) {
        PanelMember member{name == archive_name, Opponent::random};
        if (!member.archive && !opponent_from_name(name, member.opponent))
            return false;
        for (const PanelMember& other : panel)
            if (panel_member_code(other) == panel_member_code(member))
                return false;
        panel.push_back(member);
    }
    return true;
}

std::string panel_names(const std::vector<PanelMember>& panel)
{
    std::string names;
    for (const PanelMember& member : panel) {
        if (!names.empty())
            names += ',';
        names += panel_member_name(member);
    }
    return names;
}

int32_t panel_member_code(const PanelMember& member)
{
    return member.archive ? 0 : static_cast<int32_t>(member.opponent);
}

bool panel_member_from_code(int32_t code, PanelMember& member)
{
    if (code == 0) {
        member = {true, Opponent::random};
        return true;
    }
    member.archive = false;
    return opponent_from_code(code, member.opponent);
}
