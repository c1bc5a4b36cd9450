#pragma once
#include "platform/data/CDS_Lookup_struct.h"

#include <string>
#include <vector>

// One node met on a walk over a lookup tree: its path of names from the
// root (joined by '.') and the node whose child list holds it.
struct Walked_node {
    std::string path;
    CDS::Lookup_item* node;
    CDS::Lookup_struct* container;
};

// Every node below root, parents before children, children in list order.
std::vector<Walked_node> walk_tree(CDS::Lookup_struct& root);
