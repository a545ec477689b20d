#pragma once
// The Project as one JSON object: selection, dimensions, system options, the doors with their pieces, the
// bill of materials, the order card with its totals, and the warnings about the data read at start. Lengths
// are in 0.1 mm and money in kopecks, as the core holds them.
#include <string>
#include <vector>

namespace dalvex {
class Project;
struct OrderCard;
} // namespace dalvex

namespace dalvex::exchange {

class JsonWriter;

std::string projectJson(Project& project, const std::vector<std::string>& warnings);
// The card as the member "orderCard" of the object being written.
void writeCard(JsonWriter& out, const OrderCard& card);

} // namespace dalvex::exchange
