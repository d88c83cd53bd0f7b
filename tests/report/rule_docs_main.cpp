// rule-docs DOCS_DIR: writes the generated parts of DOCS_DIR/report.md and
// DOCS_DIR/report.schema.json from the rule registry.
#include "rule_docs.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void rewrite(const std::filesystem::path& path, std::string (*generate)(std::string_view))
{
    const std::string before = read(path);
    const std::string after = generate(before);
    if (after == before)
        return;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << after;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
    std::cout << "written: " << path.string() << "\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: rule-docs DOCS_DIR\n";
        return 2;
    }
    try {
        const std::filesystem::path docs = argv[1];
        rewrite(docs / "report.md", corvel::docs::generateReportDoc);
        rewrite(docs / "report.schema.json", corvel::docs::generateSchema);
    } catch (const std::exception& e) {
        std::cerr << "rule-docs: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
