// zarb-replay-scripts FOLDER|FILE...: runs the fuzz target's checks over saved scripts (the
// script cases and the fuzzing corpus), for the builds that have no libFuzzer: GCC and the
// sanitizers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> scripts;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
                scripts.push_back(entry.path());
            }
        } else {
            scripts.emplace_back(argv[i]);
        }
    }
    std::sort(scripts.begin(), scripts.end());
    for (const std::filesystem::path& path : scripts) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::cerr << "cannot read " << path << '\n';
            return 1;
        }
        // Named first, so that a broken promise says which script broke it.
        std::cerr << path.filename().string() << '\n';
        const std::string script(std::istreambuf_iterator<char>(file), {});
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(script.data()), script.size());
    }
    std::cout << scripts.size() << " scripts kept every promise\n";
    return scripts.empty() ? 1 : 0;
}
