// A main for builds without libFuzzer (g++): runs the target once on each file named.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::ostringstream bytes;
        bytes << std::ifstream(argv[i], std::ios::binary).rdbuf();
        const std::string s = bytes.str();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    }
}
