#pragma once

// The control's objects a feature works on, asked for at each use.

#include <functional>
#include <memory>

namespace tessaro {

class Recordset;
class collColonne;
class ImageList;
class ListView;

/// What a feature reads of the control it belongs to. Each call reads the control's member as
/// it is now, so a host that assigns `rst`, `Columns` or `ImageList` is followed at once and no
/// feature depends on the order the control's members are built in. Every function is set by
/// the control, cheap, and never yields.
struct ControlParts {
    std::function<std::shared_ptr<Recordset>&()> resultSet; // the host's `rst`; may be empty
    std::function<std::shared_ptr<collColonne>&()> columns;  // the host's `Columns`; may be empty
    std::function<std::shared_ptr<ImageList>()> images;       // the host's `ImageList`; may be empty
    std::function<ListView&()> list;                        // the inner list, as long as the control
    std::function<int()> pageRows;                          // the rows a page of the list holds now
};

} // namespace tessaro
