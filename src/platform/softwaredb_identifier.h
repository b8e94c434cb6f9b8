#pragma once

#include "base/cartridge_identifier.h"

#include <QObject>
#include <QThreadPool>

namespace softwaredb {
class Database;
struct Identity;
} // namespace softwaredb

// Identifies cartridges by openMSX's software database on a worker thread of its own, one file
// after the other, and answers on the thread that made it.
class SoftwareDbIdentifier : public CartridgeIdentifier {
  public:
    // The installed database; another is for tests.
    SoftwareDbIdentifier();
    explicit SoftwareDbIdentifier(const softwaredb::Database& database);
    ~SoftwareDbIdentifier() override;
    void identify(const std::string& path, std::function<void(const CartridgeFacts&)> done) override;

  private:
    const softwaredb::Database& database_;
    QObject answers_; // lives on the window's thread; answers still queued die with it
    QThreadPool worker_;
};

// What the caption says and the list offers for what the database knows about a file.
CartridgeFacts cartridgeFacts(const softwaredb::Identity& identity);
