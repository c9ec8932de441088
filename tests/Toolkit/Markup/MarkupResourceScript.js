var resourceNumber = 42;
