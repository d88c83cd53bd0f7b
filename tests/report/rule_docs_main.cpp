// rule-docs DOCS_DIR: writes the generated parts of DOCS_DIR/report.md and
// DOCS_DIR/report.schema.json from the rule registry, running the rules'
// examples in a temporary folder that it removes again.
#include "rule_docs.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void rewrite(const fs::path& path, const std::function<std::string(std::string_view)>& generate)
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

// A new folder under the system's temporary one, removed with the object.
class WorkFolder {
public:
    WorkFolder()
    {
        std::random_device random;
        do
            path_ = fs::temp_directory_path() / ("corvel-rule-docs-" + std::to_string(random()));
        while (!fs::create_directory(path_));
    }
    ~WorkFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: rule-docs DOCS_DIR\n";
        return 2;
    }
    try {
        const fs::path docs = argv[1];
        const WorkFolder work;
        rewrite(docs / "report.md", [&](std::string_view doc) {
            return corvel::docs::generateReportDoc(doc, work.path());
        });
        rewrite(docs / "report.schema.json", corvel::docs::generateSchema);
    } catch (const std::exception& e) {
        std::cerr << "rule-docs: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
