#include "platform/softwaredb_identifier.h"

#include "software_database.h"

#include <QMetaObject>

SoftwareDbIdentifier::SoftwareDbIdentifier() : SoftwareDbIdentifier(softwaredb::Database::installed()) {}

SoftwareDbIdentifier::SoftwareDbIdentifier(const softwaredb::Database& database) : database_(database)
{
    worker_.setMaxThreadCount(1);
}

// The worker may still be reading a file; it must not answer to an object that is gone.
SoftwareDbIdentifier::~SoftwareDbIdentifier()
{
    worker_.clear();
    worker_.waitForDone();
}

void SoftwareDbIdentifier::identify(const std::string& path, std::function<void(const CartridgeFacts&)> done)
{
    worker_.start([this, path, done = std::move(done)] {
        CartridgeFacts facts = cartridgeFacts(database_.identify(path));
        QMetaObject::invokeMethod(
            &answers_, [done, facts = std::move(facts)] { done(facts); }, Qt::QueuedConnection);
    });
}

CartridgeFacts cartridgeFacts(const softwaredb::Identity& identity)
{
    if (!identity.known)
        return {"not in the software database", -1};
    return {softwaredb::describe(*identity.known), softwaredb::mapperItemFor(identity.known->type)};
}
