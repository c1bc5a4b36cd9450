#include "tests/data_store/Tree_walk.h"

namespace {
void walk(CDS::Lookup_struct& container, const std::string& prefix, std::vector<Walked_node>& out)
{
    for (CDS::Lookup_item& child : container.children()) {
        std::string path = prefix.empty() ? child.get_name() : prefix + "." + child.get_name();
        out.push_back({path, &child, &container});
        if (CDS::Lookup_struct* record = child.as_struct())
            walk(*record, path, out);
    }
}
}

std::vector<Walked_node> walk_tree(CDS::Lookup_struct& root)
{
    std::vector<Walked_node> out;
    walk(root, "", out);
    return out;
}
