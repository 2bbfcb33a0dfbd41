#pragma once

#include <string>
#include <vector>

// Links to folders made for a test, removed again (the links only, never their targets) when the
// object goes. On Windows they are symbolic links. Wine's CreateSymbolicLinkA answers TRUE and
// makes nothing, so under Wine they are Unix links made by /bin/ln: Wine lists such a link as a
// directory and reparse point, and opening it reaches its target, as Windows does for a link.
class FolderLinks {
public:
    FolderLinks() = default;
    ~FolderLinks();
    FolderLinks(const FolderLinks&) = delete;
    FolderLinks& operator=(const FolderLinks&) = delete;

    // Makes the link (a path without a trailing "\") to the folder target; false, with the
    // reason in Failure(), when this system cannot make it.
    bool Make(const std::string& link, const std::string& target);
    const std::string& Failure() const { return failure; }
    // Whether this system may refuse links for want of a right (Windows outside developer mode);
    // under Wine they are always made, so a failure there is a failure of the test.
    static bool MayBeRefused();

private:
    std::vector<std::string> links;
    std::string failure;
};
