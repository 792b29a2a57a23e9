// The pictures themselves are compiled in by the resource system; this file
// only gives the library a translation unit of its own.
namespace velmora_resources {
int anchor = 0;
}
