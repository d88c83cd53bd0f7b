// Writes translation files of N entries for the reader benchmarks: an XLIFF
// 1.2 file (source and target, an inline code in one unit of ten), a JSON
// locale file nested two levels deep, and its English source.
// Usage: gen-translation-files ENTRIES FOLDER
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const char* const kWords[] = {"打开", "文件", "保存", "设置", "窗口", "编辑", "帮助", "退出"};
const char* const kEnglish[] = {"Open", "File", "Save", "Settings", "Window", "Edit", "Help", "Quit"};

std::string chinese(long i)
{
    return std::string(kWords[i % 8]) + kWords[(i / 8) % 8] + " " + std::to_string(i);
}

std::string english(long i)
{
    return std::string(kEnglish[i % 8]) + " " + kEnglish[(i / 8) % 8] + " " + std::to_string(i);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen-translation-files ENTRIES FOLDER\n");
        return 2;
    }
    const long n = std::atol(argv[1]);
    const std::filesystem::path folder = argv[2];
    std::filesystem::create_directories(folder);

    std::ofstream xliff(folder / "bench.xlf", std::ios::binary);
    xliff << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
             "<file original=\"app\" source-language=\"en\" target-language=\"zh-CN\" datatype=\"plaintext\"><body>\n";
    for (long i = 0; i < n; ++i) {
        xliff << "<trans-unit id=\"u" << i << "\"><source>" << english(i);
        if (i % 10 == 0)
            xliff << " <x id=\"1\"/>";
        xliff << "</source>\n  <target state=\"translated\">" << chinese(i);
        if (i % 10 == 0)
            xliff << " <x id=\"1\"/>";
        xliff << "</target></trans-unit>\n";
    }
    xliff << "</body></file></xliff>\n";

    // {"group0": {"key0": "...", ...}, ...}: 1000 entries a group.
    for (int language = 0; language < 2; ++language) {
        std::ofstream json(folder / (language == 0 ? "en.json" : "zh.json"), std::ios::binary);
        json << "{\n";
        for (long i = 0; i < n; ++i) {
            if (i % 1000 == 0)
                json << (i == 0 ? "" : "\n  },\n") << "  \"group" << i / 1000 << "\": {\n";
            else
                json << ",\n";
            json << "    \"key" << i << "\": \"" << (language == 0 ? english(i) : chinese(i)) << "\"";
        }
        json << (n > 0 ? "\n  }\n" : "") << "}\n";
    }
    return 0;
}
