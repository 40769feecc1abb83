// Builds the example designs through the model's own operations (new card, outlines clicked on
// edit planes, cut-outs, a face with a hole) and writes them as model files.
//   make_examples FOLDER   writes FOLDER/<name>.plq for every example
#include "tests/cli/example_designs.h"

#include "model_file/model_file_writer.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_examples FOLDER\n";
        return 2;
    }
    plicato::CollectingMessageSink sink;
    for (const plicato::ExampleDesign& example : plicato::exampleDesigns()) {
        const auto model = example.build();
        const std::string path = std::string(argv[1]) + "/" + example.name + ".plq";
        if (!plicato::writeModelFile(*model, path, sink)) {
            std::cerr << "make_examples: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
