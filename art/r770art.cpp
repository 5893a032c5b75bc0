// The pictures are compiled in by the resource object libraries that
// qt_add_resources attaches to this target; this unit only gives the static
// library a body.
