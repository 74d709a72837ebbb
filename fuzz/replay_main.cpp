#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// The files named, and the files inside the folders named, in a stable order.
std::vector<std::filesystem::path> Inputs(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (!std::filesystem::is_directory(path)) {
            inputs.push_back(path);
            continue;
        }
        std::vector<std::filesystem::path> inside;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
            if (entry.is_regular_file()) inside.push_back(entry.path());
        }
        std::sort(inside.begin(), inside.end());
        inputs.insert(inputs.end(), inside.begin(), inside.end());
    }
    return inputs;
}

}  // namespace

// Runs every kept fuzz input once through the fuzz target, without libFuzzer: the regression
// inputs are checked by any compiler. A finding aborts, as it does under the fuzzer.
int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: vexmire_fuzz_replay FILE_OR_FOLDER...\n";
        return 1;
    }
    size_t replayed = 0;
    for (const std::filesystem::path& input : Inputs(argc, argv)) {
        std::ifstream file(input, std::ios::binary);
        if (!file) {
            std::cerr << "vexmire_fuzz_replay: cannot read " << input << '\n';
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        std::cerr << "replaying " << input.string() << '\n';
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    if (replayed == 0) {
        std::cerr << "vexmire_fuzz_replay: no input found\n";
        return 1;
    }
    std::cout << "replayed " << replayed << " inputs, no finding\n";
    return 0;
}
