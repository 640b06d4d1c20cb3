// The reference for reading large data: a DOM parse of the file with pugixml
// and one walk over every element and text node, as a whole process, so that
// the table compares like with like (reading the file, building, exiting).
#include <pugixml.hpp>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zetview_pugixml_walk FILE\n");
        return 2;
    }
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_file(argv[1]);
    if (!result) {
        std::fprintf(stderr, "%s: %s\n", argv[1], result.description());
        return 1;
    }
    // The walk counts elements and text characters so that it cannot be
    // optimised away; the counts are printed like `zetview info` prints its own.
    long elements = 0;
    long characters = 0;
    struct Counter : pugi::xml_tree_walker
    {
        long *elements;
        long *characters;
        bool for_each(pugi::xml_node &node) override
        {
            if (node.type() == pugi::node_element)
                ++*elements;
            else if (node.type() == pugi::node_pcdata)
                *characters += long(std::strlen(node.value()));
            return true;
        }
    } counter;
    counter.elements = &elements;
    counter.characters = &characters;
    document.traverse(counter);
    std::printf("elementi=%ld caratteri=%ld\n", elements, characters);
    return 0;
}
