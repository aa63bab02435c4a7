// Gives the store library a translation unit of its own; the items themselves
// are compiled in as Qt resources.
namespace {
[[maybe_unused]] const int StoreAnchor = 0;
}
