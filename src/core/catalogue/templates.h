#pragma once
// The left pane's selector rows, the template tree and the four NPC templates.

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/headers.h"

namespace quill::catalogue {

inline constexpr std::string_view kPaneTemplates = "--Templates--";

// The selector's rows in fill order: kMenuHeaders, kPaneTemplates.
const std::vector<std::string>& paneRows();

struct TemplateNode {
    std::string text;
    std::string key;
    std::string parentKey;  // empty for a top-level node
};
// The tree's nodes in the order they are added.
const std::vector<TemplateNode>& templateNodes();

// The template kind (1 to 4) a node's text chooses, 0 for any other text.
int templateKindForNode(std::string_view nodeText);

// The template's lines joined by CR LF, nothing after the last; empty for a
// kind outside 1 to 4.
std::string templateText(int kind);

}  // namespace quill::catalogue
