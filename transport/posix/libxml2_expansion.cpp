#include "transport/posix/libxml2_expansion.h"

#include <cstring>
#include <unordered_map>

namespace zarn {
namespace {

// Sums the texts below nodes, expanding each entity once and counting it at every reference.
class ExpansionCounter {
  public:
    explicit ExpansionCounter(std::uint64_t limit) : limit_(limit) {}

    // The expanded size of the sibling list from `first` and everything below it; past the
    // limit the count stops and gives a size beyond it.
    std::uint64_t ListSize(xmlNodePtr first) {
        std::uint64_t size = 0;
        for (xmlNodePtr node = first; node != nullptr && size <= limit_;) {
            size += OwnSize(node);
            node = Next(node, first);
        }
        return size;
    }

  private:
    // What the node itself adds: its text, or the expansion of the entity it refers to.
    std::uint64_t OwnSize(xmlNodePtr node) {
        switch (node->type) {
            case XML_ENTITY_REF_NODE:
                return EntitySize(reinterpret_cast<xmlEntityPtr>(node->children));
            // Only these node kinds have a text of their own; other structures put something
            // else where a node keeps it.
            case XML_TEXT_NODE:
            case XML_CDATA_SECTION_NODE:
            case XML_COMMENT_NODE:
            case XML_PI_NODE:
                return node->content == nullptr
                           ? 0
                           : std::strlen(reinterpret_cast<const char*>(node->content));
            default:
                return 0;
        }
    }

    std::uint64_t EntitySize(xmlEntityPtr entity) {
        if (entity == nullptr || entity->type != XML_ENTITY_DECL)
            return 0;
        auto [known, added] = sizes_.try_emplace(entity, kInProgress);
        if (!added)
            return known->second;
        // An entity that is not parsed into nodes reads as nothing; one that refers to itself is
        // refused by the parser, and counts as unbounded here.
        std::uint64_t size = entity->children == nullptr ? 0 : ListSize(entity->children);
        sizes_[entity] = size;
        return size;
    }

    // Depth first through children and attributes, never into an entity's own nodes (a
    // reference's children are its entity), back up to `top`'s siblings.
    static xmlNodePtr Next(xmlNodePtr node, xmlNodePtr top) {
        if (node->type == XML_ELEMENT_NODE) {
            if (node->properties != nullptr)
                return reinterpret_cast<xmlNodePtr>(node->properties);
            if (node->children != nullptr)
                return node->children;
        } else if (node->type == XML_ATTRIBUTE_NODE && node->children != nullptr) {
            return node->children;
        }
        for (;;) {
            if (node->next != nullptr)
                return node->next;
            xmlNodePtr parent = node->parent;
            if (parent == nullptr || parent == top->parent)
                return nullptr;
            // The attributes of an element are done: its children come next.
            if (node->type == XML_ATTRIBUTE_NODE && parent->children != nullptr)
                return parent->children;
            node = parent;
        }
    }

    static constexpr std::uint64_t kInProgress = UINT64_MAX / 2;

    std::uint64_t limit_;
    std::unordered_map<xmlEntityPtr, std::uint64_t> sizes_;
};

}  // namespace

bool ExpansionWithin(xmlDocPtr document, std::uint64_t limit) {
    // Without declared entities, a document's texts are what it holds.
    if (document->intSubset == nullptr || document->intSubset->entities == nullptr)
        return true;
    return ExpansionCounter(limit).ListSize(document->children) <= limit;
}

}  // namespace zarn
