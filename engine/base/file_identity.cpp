#include "corvel/file_identity.h"

#include "platform.h"

namespace corvel {

namespace fs = std::filesystem;

namespace {
// As many links in a row as the systems themselves follow.
constexpr int kMaxLinkHops = 40;
}  // namespace

fs::path linkTarget(const fs::path& path)
{
    fs::path at = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec)))
            break;
        fs::path to = fs::read_symlink(at, ec);
        if (ec)
            break;
        at = to.is_absolute() ? to : at.parent_path() / to;
    }
    return at;
}

// Goes up from the path to the first folder that exists, collecting the
// names passed on the way; a name that is a dangling link counts as the
// name it would create.
FileIdentity fileIdentity(const fs::path& path)
{
    std::error_code ec;
    fs::path at = fs::absolute(linkTarget(path), ec);
    if (ec)
        at = path;
    FileIdentity identity;
    fs::path below;
    for (;;) {
        if (existingFileNumber(at, identity.device, identity.file)) {
            identity.known = true;
            identity.below = comparableNames(below.lexically_normal());
            return identity;
        }
        if (!at.has_relative_path())
            break;  // not even the root could be looked at
        if (!at.filename().empty())
            below = below.empty() ? at.filename() : at.filename() / below;
        at = at.parent_path();
    }
    identity.device = 0;
    identity.file = 0;
    identity.below = comparableNames(path.lexically_normal());
    return identity;
}

FileStamp fileStamp(const fs::path& path)
{
    FileStamp stamp;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || !existingFileNumber(path, stamp.device, stamp.file))
        return FileStamp {};
    stamp.exists = true;
    stamp.size = size;
    return stamp;
}

bool sameFile(const fs::path& a, const fs::path& b)
{
    return fileIdentity(a) == fileIdentity(b);
}

}  // namespace corvel
