// Placeholder until the simulated clock lands.
int main() { return 2; }
