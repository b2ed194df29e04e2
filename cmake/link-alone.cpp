// The program of yorvane_link_alone (cmake/YorvaneLayers.cmake): its build is the check, the
// libraries' every object linked with only what they declare.
int main() { return 0; }
