// Placeholder until orvoc lands.
int main() { return 2; }
