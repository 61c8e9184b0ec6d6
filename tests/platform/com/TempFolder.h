// A fresh folder for one test, removed with everything in it afterwards, and the registry of the
// component layer pointed into it while it lives.
#ifndef LVX_TESTS_TEMPFOLDER_H
#define LVX_TESTS_TEMPFOLDER_H

#include <string>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Sets LAMIVEX_REGISTRY to <folder>/registry for its lifetime.
class ScopedRegistry {
  public:
    explicit ScopedRegistry(const TempFolder& folder);
    ~ScopedRegistry();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

#endif
