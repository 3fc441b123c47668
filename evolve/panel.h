// The panel that a network's fitness is measured against: reference opponents of the
// strength tool, and the archive, the run's own earlier best networks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "opponents.h"

struct PanelMember {
    bool archive;      // the run's archive, otherwise `opponent`
    Opponent opponent;
    bool operator==(const PanelMember&) const = default;
};

// "wpc", "wpc-ab2", ..., or "archive".
std::string panel_member_name(const PanelMember& member);
// "wpc,wpc-ab2,archive": known names, each at most once, at least one; false otherwise.
bool panel_from_names(const std::string& names, std::vector<PanelMember>& panel);
std::string panel_names(const std::vector<PanelMember>& panel);
// A number for each member that the checkpoint keeps: the opponent's, 0 for the archive.
int32_t panel_member_code(const PanelMember& member);
bool panel_member_from_code(int32_t code, PanelMember& member);
